// The HID backend for real writers: hidapi on hidraw device nodes.
#pragma once

#include "link/hid_device.h"

#include <memory>

namespace zephlin {

std::unique_ptr<HidBackend> makeUsbBackend();

} // namespace zephlin
