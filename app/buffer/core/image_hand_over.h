// Handing the area buffers to the library: a command copies a buffer into
// the operation context record just before the export call. The copies live
// in this object; when it goes away the record's image pointers are cleared,
// so the record never points at released bytes.
#pragma once

#include "Zephlin_DLL.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zephlin {

class ImageHandOver {
public:
    explicit ImageHandOver(ZephlinContext& record) : record_(record) {}
    ~ImageHandOver();
    ImageHandOver(const ImageHandOver&) = delete;
    ImageHandOver& operator=(const ImageHandOver&) = delete;

    // Code image := the copy, code start := 0, code size := its length, code
    // checksum := its 16-bit sum. A read (Dump Target) passes a block of the
    // area's size for the library to fill.
    void passMainArea(std::vector<uint8_t> image);
    // The same for the data image fields.
    void passSecondArea(std::vector<uint8_t> image);
    // A null image and size 0: the library skips the area.
    void skipMainArea();
    void skipSecondArea();
    // Code-area checksum := 16-bit sum over the main area's capacity, the
    // main image followed by 0xFF (the sum of 0xFF bytes without an image).
    void setCodeAreaChecksum(uint32_t mainCapacity);

    std::span<const uint8_t> mainImage() const { return main_; }
    std::span<const uint8_t> secondImage() const { return second_; }

private:
    ZephlinContext& record_;
    std::vector<uint8_t> main_;
    std::vector<uint8_t> second_;
};

} // namespace zephlin
