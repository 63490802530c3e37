// The Select Area dialog: where Load File places a code file in the current
// page's area, whether it clears the buffer first, and whether it fills the
// rest of the area with 0x00 or 0xFF. SelectAreaModel holds the rules; the
// dialog shows them and forwards the user's actions.
#pragma once

#include "buffer/core/select_area_model.h"
#include "common/text_pair.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace zephlin {

class CSelectAreaDlg : public QDialog {
    Q_OBJECT

public:
    CSelectAreaDlg(FillMode pageFillMode, Language language, QWidget* parent = nullptr);

    // What OK chose: the load address, the clear-buffer option and the
    // page's fill mode. Meaningful once the dialog was accepted.
    SelectAreaModel::Result choice() const { return model_.accept(); }

private:
    void render();

    SelectAreaModel model_;
    QLineEdit* address_;
    QCheckBox* clearBuffer_;
    QCheckBox* fill_;
    QRadioButton* zeros_;
    QRadioButton* ones_;
};

} // namespace zephlin
