#pragma once

#include <ostream>

namespace zephlin::cli {

// The catalogue as a table: index, series, part name, chip type, main and
// second area sizes, option-word count. Returns false when the library
// reports no parts.
bool listParts(std::ostream& out);

} // namespace zephlin::cli
