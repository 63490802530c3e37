#include "shell/widgets/posted_notifications.h"

#include <QMetaObject>

namespace zephlin {

PostedNotifications::PostedNotifications(QObject* parent, std::function<bool()> busy)
    : QObject(parent), busy_(std::move(busy)) {}

void PostedNotifications::post(const OptionNotification& notification) {
    pending_.push_back(notification);
    scheduleDelivery();
}

void PostedNotifications::scheduleDelivery() {
    QMetaObject::invokeMethod(this, "deliverNext", Qt::QueuedConnection);
}

void PostedNotifications::deliverNext() {
    if (pending_.empty()) {
        return;
    }
    // While a command runs the notification waits for a later turn.
    if (busy_ && busy_()) {
        scheduleDelivery();
        return;
    }
    const OptionNotification next = pending_.front();
    pending_.pop_front();
    if (model_ != nullptr) {
        model_->handle(next);
    }
}

} // namespace zephlin
