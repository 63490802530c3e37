#include "engineer/widgets/byte_sheet_dlg.h"

#include "buffer/widgets/hex_edit_base.h"
#include "common/widgets/qt_text.h"
#include "engineer/core/engineer_ids.h"

#include <QLabel>

namespace zephlin {
namespace {

constexpr int kLabelWidth = 80;
constexpr int kRowHeight = 20;
constexpr DluRect kWriteField{88, 0, 200, 14};
constexpr DluRect kReadField{294, 0, 200, 14};
constexpr int kBlockBytesPerRow = 16;
constexpr int kBlockAddressDigits = 8;
constexpr DluRect kBlockField{88, 4, 320, 200};

} // namespace

CSheet2Dlg::CSheet2Dlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
                       QWidget* parent)
    : CSheetDlg(std::move(sheet), workspace, std::move(folder), parent) {
    addButtons(true);
    auto* dutLabel = placer().place(new QLabel(QStringLiteral("DUT ID : "), bar()),
                                    engineer_ids::kDutLabel, {180, 6, 36, 8});
    dutLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dutLabel->setAccessibleName(dutLabel->text());
    dutId_ = placer().place(valueField(bar(), false), engineer_ids::kDutField, {218, 3, 76, 14});
    dutId_->setAccessibleName(QStringLiteral("DUT ID"));
    fitRows(dutId_, 1);
    dutStatus_ = placer().place(new QLabel(bar()), engineer_ids::kDutStatus, {300, 6, 60, 8});
    for (std::size_t i = 0; i < model().itemCount(); ++i) {
        const int top = 4 + static_cast<int>(i) * kRowHeight;
        DluRect write = kWriteField;
        DluRect read = kReadField;
        write.top = read.top = top;
        addValueRow(i, top, kLabelWidth, write, read);
    }
    finishContent(4 + static_cast<int>(model().itemCount()) * kRowHeight);
}

void CSheet2Dlg::renderSheet() {
    dutId_->setData(model().dutId());
    dutStatus_->setText(toQString(model().dutStatus()));
    dutStatus_->setAccessibleName(dutStatus_->text().isEmpty() ? QStringLiteral("DUT ID status")
                                                               : dutStatus_->text());
}

CSheet3Dlg::CSheet3Dlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
                       QWidget* parent)
    : CSheetDlg(std::move(sheet), workspace, std::move(folder), parent) {
    addButtons(false);
    if (model().itemCount() != 0) {
        addValueRow(0, 4, kLabelWidth, kBlockField, std::nullopt);
        CHexEditBase* field = writeFields_.front();
        field->setShowAddress(true);
        field->setAddressDigits(kBlockAddressDigits);
        field->setBytesPerRow(kBlockBytesPerRow, false);
    }
    finishContent(kBlockField.top + kBlockField.height);
}

} // namespace zephlin
