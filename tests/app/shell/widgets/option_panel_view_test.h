// The option panel's controls over a made-up part.
#pragma once

#include "Zephlin_DLL.h"
#include "common/widgets/control_placement.h"
#include "shell/core/option_panel_model.h"
#include "shell/widgets/posted_notifications.h"
#include <QObject>
#include <QWidget>
#include <memory>

namespace zephlin {

class OptionPanelViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void unusedCellIsDisabledWithNA();
    void emptyPiecesGiveNoEntries();
    void ispSizeCapsTheIapList();
    void halfKilobyteEntries();
    void numericCellTakesOnlyHexDigits();
    void checkAttributeGatesItsList();
    void defaultsReachTheRecordAfterThePostedNotifications();
    void displayNowFillsTheNowControls();

private:
    void rebuild(const ZephlinBodyInfo& part);
    template <typename Widget> Widget* control(int id) {
        return findControl<Widget>(parent_.get(), id);
    }

    ZephlinContext record_{};
    ZephlinBodyInfo part_{};
    std::unique_ptr<QWidget> parent_;
    PostedNotifications* queue_ = nullptr;
    std::unique_ptr<OptionPanelModel> model_;
};

} // namespace zephlin
