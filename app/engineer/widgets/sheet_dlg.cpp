#include "engineer/widgets/sheet_dlg.h"

#include "buffer/widgets/buffer_page.h"
#include "buffer/widgets/hex_edit_base.h"
#include "common/widgets/qt_text.h"
#include "engineer/core/engineer_commands.h"
#include "engineer/core/engineer_ids.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace zephlin {
namespace {

constexpr int kWheelNotch = 120;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kBarHeight = 20;
// The scroll range reaches this far past the rows' end.
constexpr int kScrollMargin = 8;
constexpr int kLineStepsPerRange = 20;
constexpr QRgb kMarkColour = 0xFF9696;

QPushButton* barButton(const char* text, int id, int left, const DialogUnitPlacer& placer,
                       QWidget* parent) {
    auto* button = placer.place(new QPushButton(QString::fromLatin1(text), parent), id,
                                {left, 3, kButtonWidth, kButtonHeight});
    button->setAccessibleName(button->text());
    button->setAutoDefault(false);
    return button;
}

} // namespace

CHexEditBase* valueField(QWidget* parent, bool editable) {
    auto* field = new CHexEditBase(parent);
    field->setShowAddress(false);
    field->setShowAscii(false);
    field->setBytesPerRow(16, true);
    setBufferColours(*field, editable);
    if (!editable) {
        // The marks of differing bytes are the field's unfocused selection,
        // drawn in the button face colour; on the grey of a read value that
        // colour would not show, so the read values mark in red.
        QPalette palette = field->palette();
        palette.setColor(QPalette::Button, QColor(kMarkColour));
        field->setPalette(palette);
    }
    field->setReadOnly(!editable, true);
    return field;
}

void fitRows(CHexEditBase* field, int rows) {
    // The text lies 5 pixels inside the client area on every side.
    constexpr int kTextInsets = 10;
    field->resize(field->width(),
                  rows * field->layout().lineHeight + kTextInsets + 2 * field->frameWidth());
}

CSheetDlg::CSheetDlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
                     QWidget* parent)
    : QWidget(parent), model_(std::move(sheet)), workspace_(workspace), folder_(std::move(folder)),
      placer_(font()), bar_(new QWidget(this)), scrollArea_(new QScrollArea(this)),
      content_(new QWidget) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bar_->setFixedHeight(placer_.height(kBarHeight));
    layout->addWidget(bar_);
    layout->addWidget(scrollArea_);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidget(content_);
    scrollArea_->viewport()->installEventFilter(this);
    // A line step is a twentieth of the range.
    connect(scrollArea_->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int minimum, int maximum) {
                scrollArea_->verticalScrollBar()->setSingleStep(
                    std::max(1, (maximum - minimum) / kLineStepsPerRange));
            });
}

void CSheetDlg::addButtons(bool withSync) {
    write_ = barButton("Write", engineer_ids::kWrite, 4, placer_, bar_);
    read_ = barButton("Read", engineer_ids::kRead, 4 + kButtonWidth + 6, placer_, bar_);
    connect(write_, &QPushButton::clicked, this, [this] { write(); });
    connect(read_, &QPushButton::clicked, this, [this] { read(); });
    if (withSync) {
        sync_ = barButton("Sync", engineer_ids::kSync, 4 + 2 * (kButtonWidth + 6), placer_, bar_);
        connect(sync_, &QPushButton::clicked, this, [this] { sync(); });
    }
}

void CSheetDlg::addValueRow(std::size_t i, int top, int labelWidth, DluRect writeField,
                            std::optional<DluRect> readField) {
    const int row = static_cast<int>(i);
    auto* label = placer_.place(new QLabel(toQString(model_.label(i)), content_),
                                engineer_ids::kItemLabel + row, {4, top + 3, labelWidth, 8});
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setAccessibleName(label->text());
    const QString name = toQString(model_.item(i).name);

    auto* writeValue =
        placer_.place(valueField(content_, true), engineer_ids::kWriteValue + row, writeField);
    writeValue->setAccessibleName(name + QStringLiteral(" write value"));
    writeFields_.push_back(writeValue);
    if (readField) {
        fitRows(writeValue, 1);
    }
    connect(writeValue, &CHexEditBase::editChanged, this, [this, i, writeValue] {
        std::vector<uint8_t> bytes(writeValue->dataLength());
        writeValue->getData(bytes);
        model_.setWriteValue(i, bytes);
        render(i);
    });
    if (readField) {
        auto* readValue =
            placer_.place(valueField(content_, false), engineer_ids::kReadValue + row, *readField);
        readValue->setAccessibleName(name + QStringLiteral(" read value"));
        fitRows(readValue, 1);
        readFields_.push_back(readValue);
    }
}

void CSheetDlg::finishContent(int designHeight) {
    int width = 0;
    for (const QWidget* child : content_->findChildren<QWidget*>()) {
        width = std::max(width, child->geometry().right() + 1);
    }
    content_->setFixedSize(width + placer_.width(4), placer_.height(designHeight) + kScrollMargin);
    render();
}

void CSheetDlg::render(std::optional<std::size_t> editedField) {
    for (std::size_t i = 0; i < writeFields_.size(); ++i) {
        if (i != editedField) {
            writeFields_[i]->setData(model_.writeValue(i));
        }
    }
    for (std::size_t i = 0; i < readFields_.size(); ++i) {
        readFields_[i]->setData(model_.readValue(i));
    }
    renderSheet();
    write_->setEnabled(model_.writeEnabled());
    if (sync_ != nullptr) {
        sync_->setEnabled(model_.syncEnabled());
    }
    markDifferences();
}

void CSheetDlg::markDifferences() {
    // Each differing byte is selected and painted on top of what the field
    // shows, so that the marks of all of them add up; the next plain paint
    // of the field clears them.
    for (std::size_t i = 0; i < readFields_.size(); ++i) {
        CHexEditBase* field = readFields_[i];
        field->redrawNow();
        field->setAccumulatePaint(true);
        for (const std::size_t byte : model_.differingBytes(i)) {
            field->setSelection(byte, byte);
            field->makeVisible(byte, byte, false);
            field->redrawNow();
        }
        field->setAccumulatePaint(false);
        field->clearSelection();
    }
}

void CSheetDlg::write() {
    runEngineerWrite(workspace_, model_);
}

void CSheetDlg::read() {
    runEngineerRead(workspace_, model_, folder_);
    render();
}

void CSheetDlg::sync() {
    model_.sync();
    render();
}

void CSheetDlg::scrollByWheel(int delta) {
    QScrollBar* bar = scrollArea_->verticalScrollBar();
    if (delta == kWheelNotch) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (delta == -kWheelNotch) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
}

bool CSheetDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollArea_->viewport() && event->type() == QEvent::Wheel) {
        scrollByWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zephlin
