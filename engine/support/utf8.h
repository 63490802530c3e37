// Wide text and UTF-8, whatever the locale. Zephlin stores every 8-bit text
// (names in project files, paths handed to the file system, settings, standard
// output) as UTF-8, so the library and the programs that link it convert with
// this one header-only codec and never disagree about a byte.
//
// The conversion is lossless: a file name need not be UTF-8, so each byte of
// a malformed sequence becomes a wide character of its own, U+DC80 to U+DCFF
// for the bytes 0x80 to 0xFF (no UTF-8 text decodes to these lone
// surrogates), and converting back gives the same byte. A name read from the
// file system or a project file is therefore the name written back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zephlin::utf8 {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;
// The wide character that stands for byte b (0x80 to 0xFF) of malformed input.
inline constexpr char32_t kEscapedByteBase = 0xDC00;

namespace detail {

constexpr bool isEscapedByte(char32_t c) {
    return c >= kEscapedByteBase + 0x80 && c <= kEscapedByteBase + 0xFF;
}

constexpr bool isScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

constexpr bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

inline void append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace detail

// An escaped byte (U+DC80 to U+DCFF) becomes that byte again; other invalid
// code points (surrogates, values above U+10FFFF) become U+FFFD.
inline std::string fromWide(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (const wchar_t wide : text) {
        const auto c = static_cast<char32_t>(wide);
        if (detail::isEscapedByte(c)) {
            out += static_cast<char>(c - kEscapedByteBase);
        } else {
            detail::append(out, detail::isScalarValue(c) ? c : kReplacementCharacter);
        }
    }
    return out;
}

// Each byte of a malformed sequence (a bad lead or continuation byte, an
// overlong form, a surrogate, a value above U+10FFFF, a cut-off end) becomes
// its escaped wide character.
inline std::wstring toWide(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            c = lead & 0x1Fu;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            c = lead & 0x0Fu;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            c = lead & 0x07u;
            minimum = 0x10000;
        } else {
            out += static_cast<wchar_t>(kEscapedByteBase + lead);
            ++i;
            continue;
        }
        std::size_t taken = 1;
        while (taken < length && i + taken < bytes.size() &&
               detail::isContinuation(static_cast<unsigned char>(bytes[i + taken]))) {
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + taken]) & 0x3Fu);
            ++taken;
        }
        if (taken != length || c < minimum || !detail::isScalarValue(c)) {
            for (std::size_t k = 0; k < taken; ++k) {
                out += static_cast<wchar_t>(kEscapedByteBase +
                                            static_cast<unsigned char>(bytes[i + k]));
            }
        } else {
            out += static_cast<wchar_t>(c);
        }
        i += taken;
    }
    return out;
}

// The longest front part of UTF-8 text that is at most maxBytes long and ends
// between two characters, so that cutting there splits no character.
inline std::string_view wholeCharactersWithin(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = maxBytes;
    while (end > 0 && detail::isContinuation(static_cast<unsigned char>(text[end]))) {
        --end;
    }
    return text.substr(0, end);
}

} // namespace zephlin::utf8
