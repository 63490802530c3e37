#include "project/project_footer_layout.h"

#include <array>

namespace zephlin::project {
namespace {

constexpr std::array<FooterVariant, 3> kVariants{{
    {0x0300, "veltrix. KDX 3.0", 0, 0x70},
    {0x0301, "veltrix. KDX 3.1", 6, 0x70},
    {0x0302, "veltrix. KDX 3.2", 6, 0xB0},
}};

} // namespace

const FooterVariant* footerVariantOf(uint16_t projectVersion) {
    for (const FooterVariant& variant : kVariants) {
        if (variant.projectVersion == projectVersion) {
            return &variant;
        }
    }
    return nullptr;
}

std::size_t dataFieldBytesOf(uint16_t projectVersion) {
    const FooterVariant* variant = footerVariantOf(projectVersion);
    return variant != nullptr ? variant->dataFieldBytes : 0;
}

} // namespace zephlin::project
