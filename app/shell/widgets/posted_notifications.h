// The option panel's notifications to itself, queued on the event loop: each
// is handled after the operation that posted it has returned, in posting
// order. While a command runs they wait, so that nothing changes the record
// a worker is reading.
#pragma once

#include "shell/core/option_panel_model.h"

#include <QObject>

#include <deque>
#include <functional>

namespace zephlin {

class PostedNotifications : public QObject, public NotificationQueue {
    Q_OBJECT

public:
    // busy: whether a command is running; the panel's model is set later,
    // since the model needs the queue to be built.
    PostedNotifications(QObject* parent, std::function<bool()> busy);

    void setModel(OptionPanelModel* model) { model_ = model; }
    void post(const OptionNotification& notification) override;

private:
    // One queued call per posted notification; each hands the oldest one on.
    Q_INVOKABLE void deliverNext();
    void scheduleDelivery();

    std::function<bool()> busy_;
    std::deque<OptionNotification> pending_;
    OptionPanelModel* model_ = nullptr;
};

} // namespace zephlin
