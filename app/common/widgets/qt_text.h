// The program keeps its texts as wide strings; Qt shows QStrings.
#pragma once

#include <QString>

#include <string_view>

namespace zephlin {

inline QString toQString(std::wstring_view text) {
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace zephlin
