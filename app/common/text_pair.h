// Bilingual texts: every text the program supplies has an English and a
// Simplified-Chinese half; the window's language flag picks one when the text
// is used, so texts already written (log entries) keep their language.
#pragma once

#include <cstdint>
#include <string_view>

namespace zephlin {

enum class Language : int32_t { English = 0, Chinese = 1 };

// The language a stored flag selects: 1 is Chinese, anything else English.
Language languageFromFlag(int32_t flag);
int32_t languageFlag(Language language);

struct TextPair {
    std::wstring_view english;
    std::wstring_view chinese;

    std::wstring_view pick(Language language) const {
        return language == Language::Chinese ? chinese : english;
    }
    bool empty() const { return english.empty() && chinese.empty(); }
};

// A pair stored as the library stores it: the English text, its terminating
// zero, then the Chinese text. A null pointer gives an empty pair.
TextPair packedTextPair(const wchar_t* packed);

} // namespace zephlin
