// The Engineer window: a modeless register editor whose tabs switch between
// the four sheets that Engineer.ini describes. Its Write and Read entries go
// to the main window's log; it deletes itself when closed.
#pragma once

#include "engineer/core/engineer_ini.h"

#include <QDialog>

#include <array>
#include <filesystem>

class QTabBar;

namespace zephlin {

class CSheetDlg;
class Workspace;

class CEngineerDlg : public QDialog {
    Q_OBJECT

public:
    // Reads Engineer.ini in the folder, where Read also stores its files.
    CEngineerDlg(Workspace& workspace, const std::filesystem::path& folder,
                 QWidget* parent = nullptr);

    QTabBar* tabs() const { return tabs_; }
    CSheetDlg* sheet(int index) const { return sheets_.at(static_cast<std::size_t>(index)); }
    CSheetDlg* currentSheet() const { return sheets_.at(static_cast<std::size_t>(current_)); }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void showSheet(int index);

    QTabBar* tabs_;
    std::array<CSheetDlg*, kSheetCount> sheets_{};
    int current_ = 0;
};

} // namespace zephlin
