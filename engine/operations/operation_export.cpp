#include "operations/operation_export.h"

#include "link/host_services.h"
#include "support/utf8.h"

#include <new>
#include <string>

namespace zephlin {

void reportStoppedOperation(const std::exception* failure) noexcept {
    try {
        std::string reason = "an unknown error";
        if (dynamic_cast<const std::bad_alloc*>(failure) != nullptr) {
            reason = "not enough memory";
        } else if (failure != nullptr) {
            reason = failure->what();
        }
        host::showMessage(L"Zephlin_DLL stopped the operation: " + utf8::toWide(reason),
                          host::MessageKind::Plain);
    } catch (...) {
        // Without memory for the message the failure code has to say it all.
    }
}

} // namespace zephlin
