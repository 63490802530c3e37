#include "resources/embedded_images.h"

#include "resources/embedded_image_table.h"

#include <span>

namespace zephlin::resources {
namespace {

const EmbeddedImage* lookUp(ImageKind kind, uint32_t number) {
    for (const EmbeddedImage& image : std::span(kEmbeddedImages, kEmbeddedImageCount)) {
        if (image.kind == kind && image.number == number) {
            return &image;
        }
    }
    return nullptr;
}

} // namespace

std::optional<std::span<const uint8_t>> findImage(ImageKind kind, uint32_t number) {
    const EmbeddedImage* image = lookUp(kind, number);
    if (image == nullptr) {
        return std::nullopt;
    }
    return std::span<const uint8_t>(image->bytes, image->size);
}

bool isMakersImage(ImageKind kind, uint32_t number) {
    const EmbeddedImage* image = lookUp(kind, number);
    return image != nullptr && image->makers;
}

} // namespace zephlin::resources
