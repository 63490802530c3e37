// The frame of every operation export: the record may be missing, no
// exception may cross the C boundary, and the result code is stored in the
// caller's result word as the export's last action.
#pragma once

#include "Zephlin_DLL.h"
#include "support/result_word.h"

#include <cstdint>

namespace zephlin {

// Runs body(context, resultWord), which returns the result code; an exception
// from it ends the export with failureCode. Without a record the export
// returns failureCode and stores nothing.
template <class Body>
uint16_t runOperationExport(ZephlinContext* context, uint16_t failureCode, Body&& body) {
    if (context == nullptr) {
        return failureCode;
    }
    const ResultWord result(context->result);
    uint16_t code = failureCode;
    try {
        code = body(*context, result);
    } catch (...) {
        code = failureCode;
    }
    return result.finish(code);
}

} // namespace zephlin
