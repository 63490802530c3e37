// Multi-byte values in frames, reports and blocks. The writer's frames,
// status reports and option bytes are least significant byte first; the boot
// loader's header and the sub-MCU start packet are most significant first.
// Every access is bounds-checked: the bytes may come from a device or a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace zephlin {

namespace detail {
inline void requireRoom(std::size_t size, std::size_t offset, std::size_t width) {
    if (offset > size || size - offset < width) {
        throw std::out_of_range("byte field outside its buffer");
    }
}
} // namespace detail

inline uint32_t loadLittleEndian(std::span<const uint8_t> bytes, std::size_t offset,
                                 std::size_t width) {
    detail::requireRoom(bytes.size(), offset, width);
    uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = (value << 8) | bytes[offset + i];
    }
    return value;
}

inline uint16_t loadLe16(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<uint16_t>(loadLittleEndian(bytes, offset, 2));
}

inline uint32_t loadLe32(std::span<const uint8_t> bytes, std::size_t offset) {
    return loadLittleEndian(bytes, offset, 4);
}

inline void storeLittleEndian(std::span<uint8_t> bytes, std::size_t offset, std::size_t width,
                              uint32_t value) {
    detail::requireRoom(bytes.size(), offset, width);
    for (std::size_t i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline void storeLe16(std::span<uint8_t> bytes, std::size_t offset, uint16_t value) {
    storeLittleEndian(bytes, offset, 2, value);
}

inline void storeLe32(std::span<uint8_t> bytes, std::size_t offset, uint32_t value) {
    storeLittleEndian(bytes, offset, 4, value);
}

inline void storeBigEndian(std::span<uint8_t> bytes, std::size_t offset, std::size_t width,
                           uint32_t value) {
    detail::requireRoom(bytes.size(), offset, width);
    for (std::size_t i = 0; i < width; ++i) {
        bytes[offset + width - 1 - i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline uint32_t loadBigEndian(std::span<const uint8_t> bytes, std::size_t offset,
                              std::size_t width) {
    detail::requireRoom(bytes.size(), offset, width);
    uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | bytes[offset + i];
    }
    return value;
}

} // namespace zephlin
