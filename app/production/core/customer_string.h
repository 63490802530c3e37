// The customer string of a project: 16 bytes, each a printable ASCII
// character without the space (0x21 to 0x7E); unused bytes stay 0xFF.
#pragma once

#include "Zephlin_DLL.h"

#include <string_view>

namespace zephlin {

// Whether the text can be a customer string: at most 16 characters, all
// printable without the space.
bool validCustomerString(std::string_view text);

// Stores a valid text in the record: its bytes, then 0xFF.
void storeCustomerString(ZephlinContext& record, std::string_view text);

} // namespace zephlin
