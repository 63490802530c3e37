#include "buffer/core/intel_hex_converter.h"

#include <algorithm>
#include <limits>

namespace zephlin {
namespace {

// Reads the records as the converter takes them: calls onData(start, bytes)
// for each data record at its absolute address (extended base + address).
// Returns the damaged record that ended the reading, if one did.
template <class OnData>
std::optional<hex::DamagedRecord> forEachDataRecord(std::span<const uint8_t> text,
                                                    OnData&& onData) {
    uint64_t base = 0;
    return hex::forEachRecord(text, [&](const hex::Record& record) {
        switch (record.type) {
        case hex::kData:
            onData(base + record.address, record.data);
            return true;
        case hex::kExtendedSegmentAddress:
        case hex::kExtendedLinearAddress:
            if (const hex::ExtendedBase extended = hex::extendedBaseOf(record); extended.present) {
                base = extended.value;
            }
            return true;
        case hex::kStartSegmentAddress:
        case hex::kStartLinearAddress:
            return true;
        default: // end of file and unknown types end the conversion after their line
            return false;
        }
    });
}

} // namespace

HexConversion convertIntelHex(std::span<const uint8_t> text, uint64_t capacity) {
    // Bounds pass: the lowest start and the highest end of the data records.
    uint64_t lowest = std::numeric_limits<uint64_t>::max();
    uint64_t end = 0;
    const std::optional<hex::DamagedRecord> damaged =
        forEachDataRecord(text, [&](uint64_t start, std::span<const uint8_t> data) {
            lowest = std::min(lowest, start);
            end = std::max(end, start + data.size());
        });
    if (damaged) {
        return {HexConversionStatus::Damaged, {}, damaged};
    }
    if (lowest == std::numeric_limits<uint64_t>::max()) {
        return {HexConversionStatus::NoData, {}, {}};
    }
    if (end - lowest > capacity) {
        return {HexConversionStatus::TooLarge, {}, {}};
    }

    // Fill pass: the same records again, each copied to its offset from the
    // lowest address.
    HexConversion result{HexConversionStatus::Converted,
                         std::vector<uint8_t>(static_cast<std::size_t>(end - lowest), 0xFF),
                         {}};
    forEachDataRecord(text, [&](uint64_t start, std::span<const uint8_t> data) {
        std::ranges::copy(data, result.image.begin() + static_cast<std::ptrdiff_t>(start - lowest));
    });
    return result;
}

} // namespace zephlin
