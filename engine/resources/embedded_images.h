// The writer maker's images that the library carries: writer and sub-MCU
// firmware ("FWCode") and built-in ISP boot codes ("ISPCode"), addressed by
// number. The build embeds the maker's files when it is given them and
// deterministic stand-ins of the same sizes otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zephlin::resources {

enum class ImageKind : uint8_t { Firmware, Isp };

// The image's bytes, or nothing when the library has no such image.
std::optional<std::span<const uint8_t>> findImage(ImageKind kind, uint32_t number);

// Whether the image is one of the maker's files rather than a stand-in.
bool isMakersImage(ImageKind kind, uint32_t number);

} // namespace zephlin::resources
