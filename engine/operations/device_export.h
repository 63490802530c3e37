// The frame of every device export, around the guard of operation_export.h:
// the record must name a part of the catalogue, and the writer link is closed
// before the result code is stored, whatever happened on the way (a failed
// end of target, an exception), so that nothing of a session outlives the
// export.
#pragma once

#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"
#include "operations/operation_export.h"
#include "support/result_word.h"

#include <cstdint>

namespace zephlin {

// The part at a chip index when the writer has firmware for its core, else
// nullptr.
const ChipRecord* supportedChip(int32_t chipIndex);

// Closes the writer link when it goes out of scope.
class LinkClosure {
public:
    LinkClosure() = default;
    ~LinkClosure();
    LinkClosure(const LinkClosure&) = delete;
    LinkClosure& operator=(const LinkClosure&) = delete;
};

// Runs body(record, chip, resultWord), which returns the result code. A
// record without a known part ends with 102 before the writer is opened.
template <class Body> uint16_t runDeviceExport(ZephlinContext* context, Body&& body) {
    return runOperationExport(
        context, ZEPHLIN_RESULT_FAIL,
        [&body](ZephlinContext& record, const ResultWord& result) -> uint16_t {
            const ChipRecord* chip = supportedChip(record.chipIndex);
            if (chip == nullptr) {
                return ZEPHLIN_RESULT_FAIL;
            }
            const LinkClosure closure;
            return body(record, *chip, result);
        });
}

} // namespace zephlin
