// The Auto dialog: the step boxes over the main record's step flags and the
// Run button, which runs the Auto sequence. AutoProcessModel holds the rules;
// the dialog shows them and forwards the clicks. It stays open after a run
// until the user closes it.
#pragma once

#include "common/text_pair.h"
#include "shell/core/auto_process_model.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;

namespace zephlin {

class CAutoProcessDlg : public QDialog {
    Q_OBJECT

public:
    // run starts the sequence; busy tells whether a command or the sequence
    // is running, during which the boxes and Run do nothing.
    CAutoProcessDlg(AutoProcessModel& model, Language language, std::function<void()> run,
                    std::function<bool()> busy, QWidget* parent = nullptr);

private:
    void render();

    AutoProcessModel& model_;
    std::function<void()> run_;
    std::function<bool()> busy_;
    std::vector<QCheckBox*> boxes_;
};

} // namespace zephlin
