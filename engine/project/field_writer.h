// Lays a block out field by field in order: project-file footers and off-line
// settings blocks are built this way. The block is zero-filled at the start,
// so skipped fields stay zero.
#pragma once

#include "support/byte_order.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace zephlin::project {

class FieldWriter {
public:
    explicit FieldWriter(std::size_t length) : bytes_(length, 0) {}

    void put(std::span<const uint8_t> field) {
        requireRoom(field.size());
        std::ranges::copy(field, bytes_.begin() + static_cast<std::ptrdiff_t>(at_));
        at_ += field.size();
    }
    void put(std::string_view text) {
        put(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    }
    void putByte(uint8_t value) { putLittleEndian(value, 1); }
    void putBigEndian(uint32_t value, std::size_t width) {
        storeBigEndian(bytes_, at_, width, value);
        at_ += width;
    }
    void putLittleEndian(uint32_t value, std::size_t width) {
        storeLittleEndian(bytes_, at_, width, value);
        at_ += width;
    }
    void skip(std::size_t width) {
        requireRoom(width);
        at_ += width;
    }

    std::size_t written() const { return at_; }
    std::vector<uint8_t> finish() { return std::move(bytes_); }

private:
    void requireRoom(std::size_t width) const {
        if (width > bytes_.size() - at_) {
            throw std::out_of_range("field outside its block");
        }
    }

    std::vector<uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace zephlin::project
