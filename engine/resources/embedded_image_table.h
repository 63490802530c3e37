// The table the build generates from the image list of CMakeLists.txt.
#pragma once

#include "resources/embedded_images.h"

#include <cstddef>
#include <cstdint>

namespace zephlin::resources {

struct EmbeddedImage {
    ImageKind kind;
    uint32_t number;
    const uint8_t* bytes;
    std::size_t size;
    bool makers; // taken from the maker's file, not generated
};

extern const EmbeddedImage kEmbeddedImages[];
extern const std::size_t kEmbeddedImageCount;

} // namespace zephlin::resources
