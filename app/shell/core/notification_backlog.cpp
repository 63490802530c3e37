#include "shell/core/notification_backlog.h"

namespace zephlin {

void NotificationBacklog::deliverPending() {
    // A handled notification may post further ones; they are handled in turn.
    while (!queue_.empty()) {
        const OptionNotification next = queue_.front();
        queue_.pop_front();
        if (model_ != nullptr) {
            model_->handle(next);
        }
    }
}

} // namespace zephlin
