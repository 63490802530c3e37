// The option-word transfers of WriteOptions and ReadOptions, each a session
// of its own; DumpTarget ends with the read.
#pragma once

#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"

#include <cstdint>

namespace zephlin {

// Reads the part's option words and decodes them into the record's option
// settings, which change only on 101.
uint16_t readOptionSettings(ZephlinContext& record, const ChipRecord& chip);

} // namespace zephlin
