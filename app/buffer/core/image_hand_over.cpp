#include "buffer/core/image_hand_over.h"

#include "support/checksum16.h"

namespace zephlin {

ImageHandOver::~ImageHandOver() {
    if (record_.codeImage != nullptr && record_.codeImage == main_.data()) {
        record_.codeImage = nullptr;
    }
    if (record_.dataImage != nullptr && record_.dataImage == second_.data()) {
        record_.dataImage = nullptr;
    }
}

void ImageHandOver::passMainArea(std::vector<uint8_t> image) {
    main_ = std::move(image);
    record_.codeImage = main_.data();
    record_.codeStart = 0;
    record_.codeSize = static_cast<uint32_t>(main_.size());
    record_.codeChecksum = checksum16(main_);
}

void ImageHandOver::passSecondArea(std::vector<uint8_t> image) {
    second_ = std::move(image);
    record_.dataImage = second_.data();
    record_.dataStart = 0;
    record_.dataSize = static_cast<uint32_t>(second_.size());
    record_.dataChecksum = checksum16(second_);
}

void ImageHandOver::skipMainArea() {
    main_.clear();
    record_.codeImage = nullptr;
    record_.codeSize = 0;
}

void ImageHandOver::skipSecondArea() {
    second_.clear();
    record_.dataImage = nullptr;
    record_.dataSize = 0;
}

void ImageHandOver::setCodeAreaChecksum(uint32_t mainCapacity) {
    record_.codeAreaChecksum = areaChecksum16(main_, mainCapacity);
}

} // namespace zephlin
