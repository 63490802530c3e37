// The option panel's notifications where no event loop runs (the command-line
// tool, the core tests): they wait in posting order until the workspace
// settles the panel once the action that posted them is over.
#pragma once

#include "shell/core/option_panel_model.h"

#include <deque>

namespace zephlin {

class NotificationBacklog : public NotificationQueue {
public:
    void setModel(OptionPanelModel* model) { model_ = model; }
    void post(const OptionNotification& notification) override { queue_.push_back(notification); }
    void deliverPending() override;

private:
    std::deque<OptionNotification> queue_;
    OptionPanelModel* model_ = nullptr;
};

} // namespace zephlin
