// The HID report descriptor of a device that claims the writer's IDs, as the
// USB backend reads it to learn the report lengths: bytes from outside.
#include "fuzz_support.h"
#include "link/hid_report_descriptor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zephlin::fuzz::require;
    const zephlin::HidCapabilities caps = zephlin::capabilitiesFromReportDescriptor({data, size});
    // A report that exists holds its ID byte and at least one more.
    for (const std::size_t length :
         {caps.inputReportLength, caps.outputReportLength, caps.featureReportLength}) {
        require(length == 0 || length >= 2, "a report length is 0 or holds data");
    }
    return 0;
}
