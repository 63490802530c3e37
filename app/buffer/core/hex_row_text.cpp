#include "buffer/core/hex_row_text.h"

#include "support/hex_digits.h"

namespace zephlin {
namespace {

void appendHexByte(std::string& text, uint8_t byte) {
    text += upperHexDigit<char>(byte >> 4);
    text += upperHexDigit<char>(byte);
}

} // namespace

std::string addressText(std::size_t value, unsigned digits) {
    std::string reversed;
    do {
        reversed += upperHexDigit<char>(value);
        value >>= 4;
    } while (value != 0);
    while (reversed.size() < digits) {
        reversed += '0';
    }
    return {reversed.rbegin(), reversed.rend()};
}

std::string hexRowText(std::span<const uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0) {
            text += ' ';
        }
        appendHexByte(text, bytes[i]);
    }
    return text;
}

std::string asciiRowText(std::span<const uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const uint8_t byte : bytes) {
        text += (byte >= 0x20 && byte <= 0x7E) ? static_cast<char>(byte) : '.';
    }
    return text;
}

std::string selectionCopyText(std::span<const uint8_t> data, std::size_t first, std::size_t last,
                              unsigned bytesPerRow) {
    std::string text;
    if (first > last || last >= data.size() || bytesPerRow == 0) {
        return text;
    }
    const std::size_t count = last - first + 1;
    const bool followRows = count > std::size_t{bytesPerRow} + 1;
    // The column of the first byte: its own column when the text follows the
    // editor's rows, else column 0.
    std::size_t column = followRows ? first % bytesPerRow : 0;
    text.append(column * 3, ' ');
    for (std::size_t i = first; i <= last; ++i) {
        appendHexByte(text, data[i]);
        ++column;
        if (column == bytesPerRow || i == last) {
            text += '\n';
            column = 0;
        } else {
            text += ' ';
        }
    }
    return text;
}

} // namespace zephlin
