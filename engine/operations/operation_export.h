// The frame of every operation export: the record may be missing, no
// exception may cross the C boundary (its reason is shown through the host
// services instead), and the result code is stored in the caller's result
// word as the export's last action.
#pragma once

#include "Zephlin_DLL.h"
#include "support/result_word.h"

#include <cstdint>
#include <exception>

namespace zephlin {

// Tells the host why an operation stopped: the reason of an exception would
// otherwise be lost behind the failure code. failure is nullptr for an
// exception that is no std::exception.
void reportStoppedOperation(const std::exception* failure) noexcept;

// Runs body(context, resultWord), which returns the result code; an exception
// from it ends the export with failureCode, and its reason goes to the host's
// message service. Without a record the export returns failureCode and stores
// nothing.
template <class Body>
uint16_t runOperationExport(ZephlinContext* context, uint16_t failureCode, Body&& body) {
    if (context == nullptr) {
        return failureCode;
    }
    const ResultWord result(context->result);
    uint16_t code = failureCode;
    try {
        code = body(*context, result);
    } catch (const std::exception& failure) {
        reportStoppedOperation(&failure);
    } catch (...) {
        reportStoppedOperation(nullptr);
    }
    return result.finish(code);
}

} // namespace zephlin
