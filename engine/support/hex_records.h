// The Intel HEX record reader that Zephlin's converters share: the program's
// Load File converter and the library's ISP code converter read the same
// records by the same rules and differ only in what they build from them.
//
// The text is split into lines at every carriage return and line feed; a line
// that does not begin with ':' is skipped. The characters after ':' are taken
// two at a time, each giving the digit (c AND 0x0F) + 9 when c has bit 0x40 set
// and (c AND 0x0F) otherwise; a lone last character is dropped. A damaged
// record (its byte sum is not 0 modulo 256, it is shorter than its count says,
// or it is longer than any record can be) ends the reading without being
// delivered, and the reader reports it with its line: a converter refuses
// such a file rather than deliver an image cut short at the damage.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zephlin::hex {

struct Record {
    uint8_t type = 0;
    uint16_t address = 0;
    std::span<const uint8_t> data;
};

enum RecordType : uint8_t {
    kData = 0,
    kEndOfFile = 1,
    kExtendedSegmentAddress = 2,
    kStartSegmentAddress = 3,
    kExtendedLinearAddress = 4,
    kStartLinearAddress = 5,
};

// Count, two address bytes, type, 255 data bytes and the checksum.
inline constexpr std::size_t kLongestRecord = 260;
inline constexpr std::size_t kRecordOverhead = 5;

enum class RecordDamage : uint8_t { Checksum, ShorterThanItsCount, TooLong };

struct DamagedRecord {
    std::size_t line = 0; // counted from 1, a CR LF pair ending one line
    RecordDamage damage = RecordDamage::Checksum;
};

constexpr std::string_view damageText(RecordDamage damage) {
    switch (damage) {
    case RecordDamage::Checksum:
        return "record checksum error";
    case RecordDamage::ShorterThanItsCount:
        return "record shorter than its byte count";
    case RecordDamage::TooLong:
        return "line longer than any record";
    }
    return "damaged record";
}

namespace detail {

constexpr uint8_t digitOf(uint8_t c) {
    return static_cast<uint8_t>((c & 0x0F) + ((c & 0x40) != 0 ? 9 : 0));
}

constexpr bool isLineEnd(uint8_t c) {
    return c == '\r' || c == '\n';
}

} // namespace detail

// The extended base a type 2 or type 4 record sets, or nothing when the record
// is not one of them or is malformed (count other than 2, address not 0), in
// which case it is ignored.
struct ExtendedBase {
    bool present = false;
    uint32_t value = 0;
};

inline ExtendedBase extendedBaseOf(const Record& record) {
    if ((record.type != kExtendedSegmentAddress && record.type != kExtendedLinearAddress) ||
        record.data.size() != 2 || record.address != 0) {
        return {};
    }
    const uint32_t value = (uint32_t{record.data[0]} << 8) | record.data[1];
    return {true, record.type == kExtendedSegmentAddress ? value << 4 : value << 16};
}

// Calls visit(const Record&) for every record in order while it returns
// true; returns the damaged record that ended the reading, if one did.
template <class Visitor>
std::optional<DamagedRecord> forEachRecord(std::span<const uint8_t> text, Visitor&& visit) {
    std::array<uint8_t, kLongestRecord> decoded{};
    std::size_t position = 0;
    std::size_t lineNumber = 0;
    while (position < text.size()) {
        std::size_t end = position;
        while (end < text.size() && !detail::isLineEnd(text[end])) {
            ++end;
        }
        const std::span<const uint8_t> line = text.subspan(position, end - position);
        const bool crLf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
        position = end + (crLf ? 2 : 1);
        ++lineNumber;
        if (line.empty() || line[0] != ':') {
            continue;
        }
        const std::size_t byteCount = (line.size() - 1) / 2;
        if (byteCount > kLongestRecord) {
            return DamagedRecord{lineNumber, RecordDamage::TooLong};
        }
        uint8_t sum = 0;
        for (std::size_t i = 0; i < byteCount; ++i) {
            decoded[i] = static_cast<uint8_t>(16 * detail::digitOf(line[1 + 2 * i]) +
                                              detail::digitOf(line[2 + 2 * i]));
            sum = static_cast<uint8_t>(sum + decoded[i]);
        }
        if (sum != 0) {
            return DamagedRecord{lineNumber, RecordDamage::Checksum};
        }
        if (byteCount < kRecordOverhead || byteCount < kRecordOverhead + decoded[0]) {
            return DamagedRecord{lineNumber, RecordDamage::ShorterThanItsCount};
        }
        const Record record{decoded[3], static_cast<uint16_t>((decoded[1] << 8) | decoded[2]),
                            std::span<const uint8_t>(decoded).subspan(4, decoded[0])};
        if (!visit(record)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace zephlin::hex
