#include "checksum16.h"

namespace zephlin {

uint16_t sum16(std::span<const uint8_t> bytes) {
    uint32_t sum = 0;
    for (const uint8_t byte : bytes) {
        sum += byte;
    }
    return static_cast<uint16_t>(sum);
}

uint16_t areaSum16(std::span<const uint8_t> bytes, uint32_t capacity) {
    const std::size_t inside = bytes.size() < capacity ? bytes.size() : capacity;
    const uint64_t filler = static_cast<uint64_t>(capacity - inside) * 0xFFu;
    return static_cast<uint16_t>(sum16(bytes.first(inside)) + filler);
}

} // namespace zephlin
