// The byte sheet (dialog 143): per item its write and read value as byte
// fields of the item's size, and the DUT ID a read reports.
#pragma once

#include "engineer/widgets/sheet_dlg.h"

class QLabel;

namespace zephlin {

class CSheet2Dlg : public CSheetDlg {
    Q_OBJECT

public:
    CSheet2Dlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
               QWidget* parent);

protected:
    void renderSheet() override;

private:
    CHexEditBase* dutId_;
    QLabel* dutStatus_;
};

// The block sheet (dialog 144): one item in one field of 16 bytes a line,
// which a read fills; Write waits for the first read.
class CSheet3Dlg : public CSheetDlg {
    Q_OBJECT

public:
    CSheet3Dlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
               QWidget* parent);
};

} // namespace zephlin
