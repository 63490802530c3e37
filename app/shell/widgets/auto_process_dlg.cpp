#include "shell/widgets/auto_process_dlg.h"

#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"
#include "shell/core/control_ids.h"
#include "shell/core/ui_texts.h"

#include <QCheckBox>
#include <QPushButton>

namespace zephlin {
namespace {

constexpr int kBoxTops[] = {7, 20, 33, 47, 60, 73, 86};

} // namespace

CAutoProcessDlg::CAutoProcessDlg(AutoProcessModel& model, Language language,
                                 std::function<void()> run, std::function<bool()> busy,
                                 QWidget* parent)
    : QDialog(parent), model_(model), run_(std::move(run)), busy_(std::move(busy)) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const DialogUnitPlacer placer(font());
    setWindowTitle(toQString(texts::kAuto.pick(language)));
    setFixedSize(placer.width(114), placer.height(122));

    const auto& steps = autoStepBoxes();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const AutoStepBox& step = steps[i];
        auto* box = placer.place(new QCheckBox(toQString(step.text.pick(language)), this), step.id,
                                 {7, kBoxTops[i], 100, 10});
        connect(box, &QCheckBox::clicked, this, [this, id = step.id](bool ticked) {
            if (!busy_()) {
                model_.click(id, ticked);
            }
            render();
        });
        boxes_.push_back(box);
    }
    auto* runButton = placer.place(new QPushButton(toQString(texts::kAutoRun.pick(language)), this),
                                   ids::kAutoRun, {32, 101, 50, 14});
    connect(runButton, &QPushButton::clicked, this, [this] {
        if (!busy_()) {
            run_();
        }
    });
    render();
}

void CAutoProcessDlg::render() {
    for (QCheckBox* box : boxes_) {
        const int id = box->property(kControlIdProperty).toInt();
        box->setChecked(model_.ticked(id).value_or(false));
        if (id == ids::kAutoSaveChecksum) {
            box->setVisible(model_.saveChecksumShown());
        }
    }
}

} // namespace zephlin
