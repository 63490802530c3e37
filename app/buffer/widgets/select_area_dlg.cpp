#include "buffer/widgets/select_area_dlg.h"

#include "common/widgets/control_placement.h"
#include "common/widgets/hex_key_filter.h"
#include "common/widgets/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zephlin {
namespace {

constexpr TextPair kCaption{L"Select Insert Area", L"选择插入区域"};
constexpr TextPair kAddress{L"Address : 0x", L"位置 : 0x"};
constexpr TextPair kClearBuffer{L"Clear Buffer", L"清除缓冲区"};
constexpr TextPair kFill{L"Full inunused bytes", L"填充未使用的字节"};
constexpr TextPair kOk{L"OK", L"确定"};
constexpr TextPair kCancel{L"Cancel", L"取消"};

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kAddressLabelId = 1123;
constexpr int kAddressId = 1124;
constexpr int kClearBufferId = 1220;
constexpr int kFillGroupId = 1798;
constexpr int kFillId = 1794;
constexpr int kZerosId = 1799;
constexpr int kOnesId = 1800;

} // namespace

CSelectAreaDlg::CSelectAreaDlg(FillMode pageFillMode, Language language, QWidget* parent)
    : QDialog(parent), model_(pageFillMode) {
    const DialogUnitPlacer placer(font());
    setWindowTitle(toQString(kCaption.pick(language)));
    setFixedSize(placer.width(120), placer.height(107));

    placer.place(new QGroupBox(this), 0, {7, 7, 106, 41});
    auto* addressLabel = placer.place(new QLabel(toQString(kAddress.pick(language)), this),
                                      kAddressLabelId, {13, 16, 50, 8});
    addressLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    address_ = placer.place(new QLineEdit(this), kAddressId, {65, 13, 40, 14});
    HexKeyFilter::install(address_);
    clearBuffer_ = placer.place(new QCheckBox(toQString(kClearBuffer.pick(language)), this),
                                kClearBufferId, {17, 31, 84, 10});
    placer.place(new QGroupBox(this), kFillGroupId, {7, 52, 106, 30});
    fill_ = placer.place(new QCheckBox(toQString(kFill.pick(language)), this), kFillId,
                         {17, 51, 80, 10});
    fill_->setAutoFillBackground(true); // sits on the group box's top edge
    zeros_ =
        placer.place(new QRadioButton(QStringLiteral("0x00"), this), kZerosId, {28, 64, 32, 10});
    ones_ = placer.place(new QRadioButton(QStringLiteral("0xFF"), this), kOnesId, {65, 64, 32, 10});
    auto* values = new QButtonGroup(this);
    values->addButton(zeros_);
    values->addButton(ones_);
    auto* ok =
        placer.place(new QPushButton(toQString(kOk.pick(language)), this), kOkId, {7, 86, 50, 14});
    ok->setDefault(true);
    auto* cancel = placer.place(new QPushButton(toQString(kCancel.pick(language)), this), kCancelId,
                                {63, 86, 50, 14});

    connect(clearBuffer_, &QCheckBox::clicked, this, [this](bool ticked) {
        model_.setClearBuffer(ticked);
        render();
    });
    connect(fill_, &QCheckBox::clicked, this, [this](bool ticked) {
        model_.setFill(ticked);
        render();
    });
    connect(zeros_, &QRadioButton::clicked, this, [this] { model_.chooseZeros(true); });
    connect(ones_, &QRadioButton::clicked, this, [this] { model_.chooseZeros(false); });
    connect(address_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setAddressText(text.toStdWString());
        render();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    render();
}

void CSelectAreaDlg::render() {
    clearBuffer_->setChecked(model_.clearBuffer());
    fill_->setChecked(model_.fill());
    fill_->setEnabled(model_.fillBoxEnabled());
    zeros_->setChecked(model_.zerosChosen());
    ones_->setChecked(!model_.zerosChosen());
    zeros_->setEnabled(model_.fillValuesEnabled());
    ones_->setEnabled(model_.fillValuesEnabled());
    showEditText(address_, toQString(model_.addressText()));
}

} // namespace zephlin
