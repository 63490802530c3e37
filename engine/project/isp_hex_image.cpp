#include "project/isp_hex_image.h"

#include <algorithm>

namespace zephlin::project {

IspHexImage ispImageFromHex(std::span<const uint8_t> text, std::size_t limit) {
    constexpr std::size_t kInitialImage = 65536;
    std::vector<uint8_t> image(std::min(kInitialImage, limit), 0xFF);
    uint64_t base = 0;
    uint64_t end = 0;
    bool tooLong = false;
    const std::optional<hex::DamagedRecord> damaged =
        hex::forEachRecord(text, [&](const hex::Record& record) {
            if (record.type == hex::kData) {
                const uint64_t start = base + record.address;
                const uint64_t recordEnd = start + record.data.size();
                if (recordEnd > limit) {
                    tooLong = true;
                    return false;
                }
                if (recordEnd > image.size()) {
                    image.resize(static_cast<std::size_t>(recordEnd), 0xFF);
                }
                std::ranges::copy(record.data, image.begin() + static_cast<std::ptrdiff_t>(start));
                end = std::max(end, recordEnd);
                return true;
            }
            if (record.type == hex::kExtendedSegmentAddress ||
                record.type == hex::kExtendedLinearAddress) {
                if (const hex::ExtendedBase extended = hex::extendedBaseOf(record);
                    extended.present) {
                    base = extended.value;
                }
                return true;
            }
            return false; // end of file, start addresses and unknown types end it
        });
    if (damaged) {
        return {std::nullopt, damaged};
    }
    if (tooLong) {
        return {};
    }
    image.resize(static_cast<std::size_t>(end));
    return {std::move(image), std::nullopt};
}

} // namespace zephlin::project
