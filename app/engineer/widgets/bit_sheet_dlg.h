// The bit sheets (dialogs 141 and 142): per item a 32-bit register with its
// write and read value and a check box for each bit, in four rows of eight,
// most significant byte first, each named bit joined to its label by a
// connector that turns red when the bit differs after a read.
#pragma once

#include "engineer/widgets/sheet_dlg.h"

#include <array>

class QCheckBox;
class QLabel;

namespace zephlin {

class CSheet0Dlg : public CSheetDlg {
    Q_OBJECT

public:
    CSheet0Dlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
               QWidget* parent);

protected:
    void renderSheet() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BitControls {
        QCheckBox* box;
        QLabel* label;
    };
    void addBits(std::size_t item, int top);
    void paintConnectors();

    std::vector<std::array<BitControls, kBitsPerRegister>> bits_;
};

// Sheet 1 has sheet 0's layout and reads section Sheet1.
class CSheet1Dlg : public CSheet0Dlg {
    Q_OBJECT

public:
    using CSheet0Dlg::CSheet0Dlg;
};

} // namespace zephlin
