// The main window's device buttons: each runs its command object on the
// workspace, one at a time, and renders what the command changed.
#include "shell/widgets/main_window.h"

#include "buffer/widgets/buffer_page.h"
#include "common/widgets/control_placement.h"
#include "shell/core/auto_process_model.h"
#include "shell/core/auto_sequence.h"
#include "shell/core/control_ids.h"
#include "shell/core/ui_texts.h"
#include "shell/widgets/auto_process_dlg.h"
#include "shell/widgets/runner_host.h"

#include <QAbstractButton>
#include <QTabWidget>

#include <algorithm>

namespace zephlin {
namespace {

// The buttons that run a command or open a command's dialog.
constexpr int kCommandButtons[] = {
    ids::kLoadFile,      ids::kSaveBuffer,  ids::kSaveKdx,        ids::kDumpTarget,
    ids::kInsertIspCode, ids::kOffLineMode, ids::kCheckId,        ids::kErase,
    ids::kBlankCheck,    ids::kProgram,     ids::kVerify,         ids::kAuto,
    ids::kWriteOptions,  ids::kReadOptions, ids::kWholeChipErase, ids::kReadChipChecksum,
};

} // namespace

void CZephlin_APDlg::wireDeviceButtons() {
    Workspace& ws = *workspace_;
    const auto command = [this](int id, std::function<std::unique_ptr<Command>()> make) {
        wireButton(id, [this, make = std::move(make)] { runCommand(make); });
    };
    command(ids::kCheckId, [&ws] { return makeCheckId(ws); });
    command(ids::kErase, [this, &ws] { return makeErase(ws, selectedAreas()); });
    command(ids::kBlankCheck, [this, &ws] { return makeBlankCheck(ws, selectedAreas()); });
    command(ids::kProgram, [this, &ws] { return makeProgram(ws, selectedAreas()); });
    command(ids::kVerify, [this, &ws] { return makeVerify(ws, selectedAreas()); });
    command(ids::kWholeChipErase, [&ws] { return makeWholeChipErase(ws); });
    command(ids::kWriteOptions, [&ws] { return makeWriteOptions(ws); });
    command(ids::kReadOptions, [&ws] {
        return makeReadOptions(
            ws, [&ws](const ZephlinContext& read) { ws.panel().display(read, DisplayMode::Now); });
    });
    command(ids::kReadChipChecksum, [&ws] { return makeReadChecksum(ws); });
    wireButton(ids::kDumpTarget, [this] { dumpTarget(); });
    wireButton(ids::kAuto, [this] { openAutoDialog(); });

    // The buttons whose commands the window does not offer yet stay off.
    for (const int id : kCommandButtons) {
        if (!wiredButtons_.contains(id)) {
            enableControl(id, false);
        }
    }
}

void CZephlin_APDlg::wireButton(int id, std::function<void()> handler) {
    auto* button = findControl<QAbstractButton>(this, id);
    if (button == nullptr) {
        return;
    }
    wiredButtons_.insert(id);
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { runExclusive(handler); });
    // On until a rule of the part or the buffers says otherwise; the window
    // applies those rules once it shows a part.
    enableControl(id, true);
}

bool CZephlin_APDlg::isCommandButton(int id) const {
    return std::find(std::begin(kCommandButtons), std::end(kCommandButtons), id) !=
           std::end(kCommandButtons);
}

void CZephlin_APDlg::runExclusive(const std::function<void()>& action) {
    // A click that reaches the window while a command runs (assistive
    // technology acts without the mouse) starts nothing.
    if (busy()) {
        return;
    }
    action();
    if (!busy()) {
        runnerHost_->carryOutDroppedClose();
    }
}

void CZephlin_APDlg::runCommand(const std::function<std::unique_ptr<Command>()>& make) {
    const std::unique_ptr<Command> command = make();
    workspace_->run(*command);
}

Areas CZephlin_APDlg::selectedAreas() const {
    return areasOfPage(tabs_->currentIndex());
}

void CZephlin_APDlg::dumpTarget() {
    Workspace& ws = *workspace_;
    runCommand([this, &ws] {
        return makeDumpTarget(ws, [this, &ws](const ZephlinContext& scratch, DumpResult& areas) {
            takeDump(ws, scratch, areas);
            showDump();
        });
    });
}

void CZephlin_APDlg::showDump() {
    const std::wstring_view label = texts::kDumpTargetLabel.pick(workspace_->language());
    const int lastPage = workspace_->buffer().hasSecondArea() ? kSecondPage : kMainPage;
    for (int page = kMainPage; page <= lastPage; ++page) {
        pages_.at(static_cast<std::size_t>(page))->setFilePath(label);
        refreshPageInformation(page);
    }
    currentPage_ = kMainPage;
    tabs_->setCurrentIndex(kMainPage);
    applyButtonStates(buttonsAfterDump(workspace_->part()));
}

void CZephlin_APDlg::openAutoDialog() {
    AutoProcessModel model(workspace_->record().stepFlags, workspace_->part().checksumSaveFlag);
    CAutoProcessDlg dialog(
        model, workspace_->language(),
        [this] { runExclusive([this] { runAutoSequence(*workspace_); }); },
        [this] { return busy(); }, this);
    dialog.exec();
}

void CZephlin_APDlg::applyButtonStates(const std::vector<ButtonState>& states) {
    for (const ButtonState& state : states) {
        enableControl(state.id, state.enabled);
    }
}

} // namespace zephlin
