#include "engineer/widgets/bit_sheet_dlg.h"

#include "common/widgets/qt_text.h"
#include "engineer/core/engineer_ids.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>

namespace zephlin {
namespace {

// Dialog units of an item's block: the value row, then four rows of eight
// bits (bits 31 to 24 first).
constexpr int kLabelWidth = 80;
constexpr DluRect kWriteField{88, 0, 76, 14};
constexpr DluRect kReadField{170, 0, 76, 14};
constexpr int kBitsTop = 20;
constexpr int kBitRowHeight = 11;
constexpr int kBitsPerRow = 8;
constexpr int kBitRows = kBitsPerRegister / kBitsPerRow;
constexpr int kRowHeadingWidth = 30; // "31:24" before each row of bits
constexpr int kFirstCell = 8 + kRowHeadingWidth;
constexpr int kCellWidth = 60;
constexpr int kBoxSize = 10;
constexpr int kLabelGap = 8; // the connector's length
constexpr int kBitLabelWidth = kCellWidth - kBoxSize - kLabelGap - 2;
constexpr int kItemHeight = kBitsTop + kBitRows * kBitRowHeight + 6;
constexpr int kConnectorPixels = 2;

DluRect at(DluRect rect, int top) {
    rect.top += top;
    return rect;
}

} // namespace

CSheet0Dlg::CSheet0Dlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
                       QWidget* parent)
    : CSheetDlg(std::move(sheet), workspace, std::move(folder), parent) {
    addButtons(true);
    for (std::size_t i = 0; i < model().itemCount(); ++i) {
        const int top = 4 + static_cast<int>(i) * kItemHeight;
        addValueRow(i, top, kLabelWidth, at(kWriteField, top), at(kReadField, top));
        addBits(i, top + kBitsTop);
    }
    content()->installEventFilter(this);
    finishContent(4 + static_cast<int>(model().itemCount()) * kItemHeight);
}

void CSheet0Dlg::addBits(std::size_t item, int top) {
    const int row = static_cast<int>(item);
    std::array<BitControls, kBitsPerRegister>& controls = bits_.emplace_back();
    for (int bitRow = 0; bitRow < kBitRows; ++bitRow) {
        const int high = kBitsPerRegister - 1 - bitRow * kBitsPerRow;
        auto* heading = placer().place(
            new QLabel(QStringLiteral("%1:%2").arg(high).arg(high - kBitsPerRow + 1), content()), 0,
            {4, top + bitRow * kBitRowHeight + 1, kRowHeadingWidth, 8});
        heading->setAccessibleName(toQString(model().item(item).name) + QLatin1Char(' ') +
                                   QStringLiteral("bits ") + heading->text());
        heading->setEnabled(false);
    }
    for (int b = 0; b < kBitsPerRegister; ++b) {
        const int position = kBitsPerRegister - 1 - b; // bit 31 first
        const int left = kFirstCell + (position % kBitsPerRow) * kCellWidth;
        const int y = top + (position / kBitsPerRow) * kBitRowHeight;
        const QString name = toQString(model().item(item).bitNames[static_cast<std::size_t>(b)]);
        auto* box = placer().place(new QCheckBox(content()), engineer_ids::bitBox(row, b),
                                   {left, y, kBoxSize, kBoxSize});
        const QString bitNumber = QStringLiteral("Bit %1").arg(b);
        box->setToolTip(bitNumber);
        box->setAccessibleName(name.isEmpty() ? toQString(model().item(item).name) +
                                                    QLatin1Char(' ') + bitNumber
                                              : name);
        auto* label = placer().place(new QLabel(name, content()), engineer_ids::bitLabel(row, b),
                                     {left + kBoxSize + kLabelGap, y + 1, kBitLabelWidth, 8});
        label->setAccessibleName(name.isEmpty() ? bitNumber : name);
        label->setToolTip(bitNumber);
        connect(box, &QCheckBox::clicked, this, [this, item, b](bool ticked) {
            editModel().setBit(item, b, ticked);
            render();
        });
        controls[static_cast<std::size_t>(b)] = {box, label};
    }
}

void CSheet0Dlg::renderSheet() {
    for (std::size_t i = 0; i < bits_.size(); ++i) {
        for (int b = 0; b < kBitsPerRegister; ++b) {
            QCheckBox* box = bits_[i][static_cast<std::size_t>(b)].box;
            box->setChecked(model().bit(i, b));
            box->setEnabled(model().bitEnabled(i, b));
        }
    }
    content()->update();
}

void CSheet0Dlg::paintConnectors() {
    QPainter painter(content());
    const QColor normal = palette().color(QPalette::WindowText);
    for (std::size_t i = 0; i < bits_.size(); ++i) {
        for (int b = 0; b < kBitsPerRegister; ++b) {
            if (!model().bitEnabled(i, b)) {
                continue; // an unused bit has no connector
            }
            const BitControls& controls = bits_[i][static_cast<std::size_t>(b)];
            const QRect box = controls.box->geometry();
            const QRect label = controls.label->geometry();
            const int y = box.center().y();
            painter.setPen(
                QPen(model().connectorMarked(i, b) ? QColor(Qt::red) : normal, kConnectorPixels));
            painter.drawLine(box.right() + 2, y, label.left() - 2, y);
        }
    }
}

bool CSheet0Dlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content() && event->type() == QEvent::Paint) {
        paintConnectors();
        return false;
    }
    return CSheetDlg::eventFilter(watched, event);
}

} // namespace zephlin
