#include "posted_notifications.h"

#include <QMetaObject>

namespace zephlin {

PostedNotifications::PostedNotifications(QObject* parent, std::function<bool()> busy)
    : QObject(parent), busy_(std::move(busy)) {}

void PostedNotifications::post(const OptionNotification& notification) {
    QMetaObject::invokeMethod(
        this, [this, notification] { deliver(notification); }, Qt::QueuedConnection);
}

void PostedNotifications::deliver(const OptionNotification& notification) {
    // Every waiting notification goes to the back again in turn, so their
    // order is kept.
    if (busy_ && busy_()) {
        post(notification);
        return;
    }
    if (model_ != nullptr) {
        model_->handle(notification);
    }
}

} // namespace zephlin
