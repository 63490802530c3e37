#pragma once

#include <string>
#include <string_view>

namespace zephlin::cli {

// Wide text as UTF-8, whatever the locale; invalid code points become U+FFFD.
std::string toUtf8(std::wstring_view text);

} // namespace zephlin::cli
