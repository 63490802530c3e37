#include "engineer/widgets/engineer_dlg.h"

#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"
#include "engineer/core/engineer_ids.h"
#include "engineer/widgets/bit_sheet_dlg.h"
#include "engineer/widgets/byte_sheet_dlg.h"

#include <QTabBar>
#include <QWheelEvent>

namespace zephlin {
namespace {

constexpr int kWidth = 540;
constexpr int kHeight = 340;
// The sheets sit inside the tab area: 10 pixels in from the sides and the
// bottom, 30 from the top.
constexpr int kSheetInset = 10;
constexpr int kSheetTop = 30;

CSheetDlg* makeSheet(int index, const EngineerSheet& sheet, Workspace& workspace,
                     const std::filesystem::path& folder, QWidget* parent) {
    switch (index) {
    case 0:
        return new CSheet0Dlg(sheet, workspace, folder, parent);
    case 1:
        return new CSheet1Dlg(sheet, workspace, folder, parent);
    case 2:
        return new CSheet2Dlg(sheet, workspace, folder, parent);
    default:
        return new CSheet3Dlg(sheet, workspace, folder, parent);
    }
}

} // namespace

CEngineerDlg::CEngineerDlg(Workspace& workspace, const std::filesystem::path& folder,
                           QWidget* parent)
    : QDialog(parent), tabs_(new QTabBar(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Engineer"));
    setModal(false);
    const DialogUnitPlacer placer(font());
    setFixedSize(placer.width(kWidth), placer.height(kHeight));

    const EngineerConfig config = readEngineerConfig(engineerIniIn(folder));
    DialogUnitPlacer::setId(tabs_, engineer_ids::kTabs);
    tabs_->setAccessibleName(QStringLiteral("Sheets"));
    tabs_->setExpanding(false);
    for (int t = 0; t < config.tabCount; ++t) {
        tabs_->addTab(toQString(config.sheets[static_cast<std::size_t>(t)].name));
    }
    tabs_->setGeometry(kSheetInset, 4, width() - 2 * kSheetInset, kSheetTop - 6);

    const QRect area(kSheetInset, kSheetTop, width() - 2 * kSheetInset,
                     height() - kSheetTop - kSheetInset);
    for (int index = 0; index < kSheetCount; ++index) {
        CSheetDlg* sheet = makeSheet(index, config.sheets[static_cast<std::size_t>(index)],
                                     workspace, folder, this);
        sheet->setGeometry(area);
        sheet->hide();
        sheets_[static_cast<std::size_t>(index)] = sheet;
    }
    sheets_.front()->show();
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { showSheet(index); });
}

void CEngineerDlg::showSheet(int index) {
    if (index < 0 || index >= kSheetCount) {
        return;
    }
    currentSheet()->hide();
    current_ = index;
    currentSheet()->show();
}

void CEngineerDlg::wheelEvent(QWheelEvent* event) {
    currentSheet()->scrollByWheel(event->angleDelta().y());
    event->accept();
}

} // namespace zephlin
