// UTF-8 for wide text, whatever the locale: the settings file, standard output.
#pragma once

#include <string>
#include <string_view>

namespace zephlin {

// Invalid code points become U+FFFD.
std::string toUtf8(std::wstring_view text);
// Malformed sequences (bad lead or continuation bytes, overlong forms,
// surrogates, values above U+10FFFF, a cut-off end) become one U+FFFD each.
std::wstring fromUtf8(std::string_view bytes);

} // namespace zephlin
