// Report lengths from a HID report descriptor, as the HID capabilities give
// them: for each direction the longest report plus the report-ID byte.
#pragma once

#include "link/hid_device.h"

#include <cstdint>
#include <span>

namespace zephlin {

HidCapabilities capabilitiesFromReportDescriptor(std::span<const uint8_t> descriptor);

} // namespace zephlin
