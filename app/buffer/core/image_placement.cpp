#include "buffer/core/image_placement.h"

#include <algorithm>

namespace zephlin {

void applyFill(std::vector<uint8_t>& buffer, FillMode fill, uint32_t capacity) {
    if (fill == FillMode::None || buffer.size() >= capacity) {
        return;
    }
    buffer.resize(capacity, fill == FillMode::Zeros ? 0x00 : 0xFF);
}

std::optional<std::vector<uint8_t>> placeImage(std::span<const uint8_t> oldBuffer, bool replace,
                                               uint32_t loadAddress, std::span<const uint8_t> image,
                                               FillMode fill, uint32_t capacity) {
    const uint64_t imageEnd = static_cast<uint64_t>(loadAddress) + image.size();
    if (imageEnd > capacity) {
        return std::nullopt;
    }
    const std::size_t keep = replace ? 0 : std::min<std::size_t>(oldBuffer.size(), capacity);
    std::vector<uint8_t> buffer(std::max<std::size_t>(keep, imageEnd), 0xFF);
    std::copy_n(oldBuffer.begin(), keep, buffer.begin());
    std::copy(image.begin(), image.end(), buffer.begin() + loadAddress);
    applyFill(buffer, fill, capacity);
    return buffer;
}

} // namespace zephlin
