#include "common/text_pair.h"

#include <cwchar>

namespace zephlin {

Language languageFromFlag(int32_t flag) {
    return flag == 1 ? Language::Chinese : Language::English;
}

int32_t languageFlag(Language language) {
    return language == Language::Chinese ? 1 : 0;
}

TextPair packedTextPair(const wchar_t* packed) {
    if (packed == nullptr) {
        return {};
    }
    const std::wstring_view english(packed);
    return {english, std::wstring_view(packed + english.size() + 1)};
}

} // namespace zephlin
