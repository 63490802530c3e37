#include "link/hid_device.h"

namespace zephlin {

std::unique_ptr<HidDevice> openFirstMatching(HidBackend& backend, uint16_t vendorId,
                                             uint16_t productId) {
    for (const HidInterfaceInfo& interface : backend.enumerate(vendorId, productId)) {
        if (interface.vendorId != vendorId || interface.productId != productId) {
            continue;
        }
        if (std::unique_ptr<HidDevice> device = backend.open(interface)) {
            return device;
        }
    }
    return nullptr;
}

} // namespace zephlin
