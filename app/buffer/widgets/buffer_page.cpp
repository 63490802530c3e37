#include "buffer/widgets/buffer_page.h"

#include "buffer/core/buffer_edit_modes.h"
#include "buffer/widgets/hex_edit_base.h"
#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"

#include <QLabel>
#include <QLineEdit>

namespace zephlin {
namespace {

constexpr BufferPageIds kPageIds[kPageCount] = {
    {1810, 1803, 1811, 1804, 1812, 1805, 1813, 1806},
    {1814, 1802, 1815, 1807, 1816, 1808, 1817, 1809},
};

constexpr unsigned kAddressDigits = 6;
constexpr unsigned kBytesPerRow = 16;

QLabel* rightAligned(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* field(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

const BufferPageIds& bufferPageIds(int page) {
    return kPageIds[page == kSecondPage ? kSecondPage : kMainPage];
}

CBufferPageDlg::CBufferPageDlg(int page, const DialogUnitPlacer& placer, QWidget* parent)
    : QWidget(parent), page_(page) {
    const BufferPageIds& ids = bufferPageIds(page);
    setFixedSize(placer.width(400), placer.height(84));
    editor_ = placer.place(new CHexEditBase(this), kHexEditorId, {0, 0, 399, 51});
    placer.place(rightAligned("File Path : ", this), ids.filePathLabel, {4, 56, 62, 8});
    filePath_ = placer.place(field(this), ids.filePath, {68, 53, 331, 14});
    placer.place(rightAligned("Buffer Size : ", this), ids.sizeLabel, {4, 71, 62, 8});
    size_ = placer.place(field(this), ids.size, {68, 69, 40, 14});
    // Wider to the left than the template's 62 units, into the free space
    // after the Buffer Size field: fonts with wide letters need the room.
    placer.place(rightAligned("Buffer Checksum : ", this), ids.checksumLabel, {110, 71, 95, 8});
    checksum_ = placer.place(field(this), ids.checksum, {209, 69, 40, 14});
    placer.place(rightAligned("Chip Checksum : ", this), ids.chipChecksumLabel, {293, 71, 62, 8});
    chipChecksum_ = placer.place(field(this), ids.chipChecksum, {359, 69, 40, 14});

    editor_->setShowAddress(true);
    editor_->setAddressDigits(kAddressDigits);
    editor_->setShowAscii(true);
    editor_->setBytesPerRow(kBytesPerRow, false);
    setEditable(false);
    editor_->setData({});
}

void CBufferPageDlg::setBytes(std::span<const uint8_t> bytes) {
    editor_->setData(bytes);
}

std::vector<uint8_t> CBufferPageDlg::bytes() const {
    std::vector<uint8_t> copy(editor_->dataLength());
    editor_->getData(copy);
    return copy;
}

std::size_t CBufferPageDlg::length() const {
    return editor_->dataLength();
}

void CBufferPageDlg::setFilePath(std::wstring_view path) {
    filePath_->setText(toQString(path));
    filePath_->setCursorPosition(0);
}

void CBufferPageDlg::showInformation(const PageInformation& information) {
    size_->setText(toQString(information.bufferSize));
    checksum_->setText(toQString(information.bufferChecksum));
    chipChecksum_->setText(toQString(information.chipChecksum));
}

void CBufferPageDlg::clearInformation() {
    filePath_->clear();
    size_->clear();
    checksum_->clear();
    chipChecksum_->clear();
}

void setBufferColours(CHexEditBase& editor, bool editable) {
    using Slot = CHexEditBase::ColourSlot;
    const uint32_t background = editable ? kEditableBackground : kReadOnlyBackground;
    for (const Slot slot :
         {Slot::AddressBackground, Slot::AsciiBackground, Slot::HexBackground, Slot::EmptyArea}) {
        editor.setColour(slot, background);
    }
    for (const Slot slot : {Slot::AddressText, Slot::AsciiText, Slot::HexText}) {
        editor.setColour(slot, kBufferText);
    }
}

void CBufferPageDlg::setEditable(bool editable) {
    setBufferColours(*editor_, editable);
    editor_->setReadOnly(!editable, true);
    editor_->redraw();
}

} // namespace zephlin
