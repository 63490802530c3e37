// The texts the hex editor shows and copies: addresses, rows of byte pairs,
// rows of characters, and the clipboard text of a selection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zephlin {

// The value in upper-case hexadecimal with at least `digits` digits.
std::string addressText(std::size_t value, unsigned digits);

// Two upper-case digits per byte, one space between bytes: "01 AB FF".
std::string hexRowText(std::span<const uint8_t> bytes);

// Printable bytes (0x20 to 0x7E) as themselves, every other byte as '.'.
std::string asciiRowText(std::span<const uint8_t> bytes);

// The selected bytes first to last (inclusive, last < data length) as rows
// that follow the editor's rows of bytesPerRow bytes, each ending with "\n".
// A selection longer than one row and a byte starts at its own column (three
// spaces for every byte before it in its row) and breaks where the editor's
// rows break; a shorter one starts at column 0 and breaks after bytesPerRow
// bytes.
std::string selectionCopyText(std::span<const uint8_t> data, std::size_t first, std::size_t last,
                              unsigned bytesPerRow);

} // namespace zephlin
