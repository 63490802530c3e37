#include "hex_edit_base_test.h"

#include "buffer/core/hex_clipboard_block.h"
#include "buffer/widgets/hex_edit_base.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <memory>
#include <numeric>
#include <vector>

namespace zephlin {
namespace {

using Bytes = std::vector<uint8_t>;
using Slot = CHexEditBase::ColourSlot;

constexpr int kEditorId = 1124;
constexpr uint32_t kGrey = 0xC8C8C8;
constexpr uint32_t kWhite = 0xFFFFFF;

Bytes counting(std::size_t length) {
    Bytes bytes(length);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes;
}

Bytes contents(const CHexEditBase& editor) {
    Bytes bytes(editor.dataLength());
    editor.getData(bytes);
    return bytes;
}

void setBackgrounds(CHexEditBase& editor, uint32_t background) {
    for (const Slot slot :
         {Slot::AddressBackground, Slot::AsciiBackground, Slot::HexBackground, Slot::EmptyArea}) {
        editor.setColour(slot, background);
    }
    for (const Slot slot : {Slot::AddressText, Slot::AsciiText, Slot::HexText}) {
        editor.setColour(slot, 0x000000);
    }
    editor.redraw();
}

// A buffer page's editor, made writable (white) as "Enable Modify Buffer"
// does.
void setUpLikeAWritablePage(CHexEditBase& editor) {
    editor.setShowAddress(true);
    editor.setAddressDigits(6);
    editor.setShowAscii(true);
    editor.setBytesPerRow(16, false);
    setBackgrounds(editor, kWhite);
    editor.setReadOnly(false, true);
}

QByteArray toByteArray(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

Bytes toBytes(const QByteArray& bytes) {
    return {bytes.begin(), bytes.end()};
}

void putBlockOnClipboard(const Bytes& bytes) {
    auto* mime = new QMimeData;
    mime->setData(CHexEditBase::kBinaryDataMimeType, toByteArray(encodeBinaryDataBlock(bytes)));
    QGuiApplication::clipboard()->setMimeData(mime);
}

QImage frameOf(CHexEditBase& editor) {
    return editor.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The client rectangle of character column `column` of the hexadecimal column in
// visible row `row`; column 3 * i is byte i's high digit.
QRect hexCell(const CHexEditBase& editor, int column, int row, int columns = 1) {
    const HexLayout& layout = editor.layout();
    const int x = layout.text.left - editor.horizontalPosition() + layout.hex.start +
                  column * layout.charWidth;
    return {x, layout.rowTop(row), columns * layout.charWidth, layout.lineHeight};
}

QRect addressCell(const CHexEditBase& editor, int digit, int row) {
    const HexLayout& layout = editor.layout();
    const int x = layout.text.left - editor.horizontalPosition() + layout.address.start +
                  digit * layout.charWidth;
    return {x, layout.rowTop(row), layout.charWidth, layout.lineHeight};
}

int countPixels(const QImage& frame, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += (frame.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

bool hasInk(const QImage& frame, const QRect& area, QRgb background) {
    return countPixels(frame, area, background) < area.width() * area.height();
}

// The centre of a digit: the left half is enough for the hit test.
QPoint digitPoint(const CHexEditBase& editor, int byteColumn, bool lowNibble, int row) {
    const QRect cell = hexCell(editor, 3 * byteColumn + (lowNibble ? 1 : 0), row);
    return {cell.left() + 1, cell.center().y()};
}

// Selection colours no antialiased black-on-white glyph can produce.
void useColouredSelection(CHexEditBase& editor) {
    QPalette palette = editor.palette();
    palette.setColor(QPalette::Highlight, QColor(0x20, 0x60, 0xE0));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Button, QColor(0x40, 0xC0, 0x40));
    palette.setColor(QPalette::WindowText, Qt::black);
    editor.setPalette(palette);
}

} // namespace

void HexEditBaseTest::init() {
    page_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(page_.get());
    before_ = new QLineEdit;
    editor_ = new CHexEditBase;
    after_ = new QLineEdit;
    editor_->setControlId(kEditorId);
    editor_->setFixedSize(680, 160);
    layout->addWidget(before_);
    layout->addWidget(editor_);
    layout->addWidget(after_);
    setUpLikeAWritablePage(*editor_);
    page_->show();
    page_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page_.get()));
    editor_->setFocus();
    QTRY_VERIFY(editor_->hasFocus());
}

void HexEditBaseTest::cleanup() {
    page_.reset();
    QGuiApplication::clipboard()->clear();
}

void HexEditBaseTest::twentyBytesShowTwoAddressedRows() {
    editor_->setData(Bytes(20, 0x11));
    const QImage frame = frameOf(*editor_);
    const QRgb white = 0xFFFFFF;
    // Rows 000000 and 000010: the same digits except the fifth.
    for (int digit = 0; digit < 6; ++digit) {
        const QImage first = frame.copy(addressCell(*editor_, digit, 0));
        const QImage second = frame.copy(addressCell(*editor_, digit, 1));
        QVERIFY(hasInk(frame, addressCell(*editor_, digit, 0), white));
        QCOMPARE(first == second, digit != 4);
        QVERIFY(!hasInk(frame, addressCell(*editor_, digit, 2), white));
    }
    // Sixteen pairs on the first row, four on the second.
    for (int pair = 0; pair < 16; ++pair) {
        QVERIFY(hasInk(frame, hexCell(*editor_, 3 * pair, 0, 2), white));
        QCOMPARE(hasInk(frame, hexCell(*editor_, 3 * pair, 1, 2), white), pair < 4);
    }
}

void HexEditBaseTest::typingOverwritesNibbles() {
    editor_->setData(Bytes(20, 0x00));
    QSignalSpy changes(editor_, &CHexEditBase::editChanged);
    QTest::mouseClick(editor_->viewport(), Qt::LeftButton, {}, digitPoint(*editor_, 3, false, 0));
    QCOMPARE(editor_->caret(), (HexCaret{3, true}));
    QTest::keyClicks(editor_, "a5");
    QCOMPARE(contents(*editor_)[3], uint8_t{0xA5});
    QCOMPARE(editor_->caret(), (HexCaret{4, true}));
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(0).at(0).toInt(), kEditorId);

    QTest::keyClick(editor_, Qt::Key_End);
    QTest::keyClicks(editor_, "BC");
    QCOMPARE(contents(*editor_)[19], uint8_t{0x0C});
    QCOMPARE(editor_->caret(), (HexCaret{19, false}));
}

void HexEditBaseTest::caretStopsAtTheEnds() {
    editor_->setData(counting(40));
    QTest::keyClick(editor_, Qt::Key_End);
    QTest::keyClick(editor_, Qt::Key_Right);
    QCOMPARE(editor_->caret(), (HexCaret{39, false}));
    QTest::keyClick(editor_, Qt::Key_Down);
    QCOMPARE(editor_->caret(), (HexCaret{39, false}));
    QTest::keyClick(editor_, Qt::Key_Home);
    QTest::keyClick(editor_, Qt::Key_Left);
    QCOMPARE(editor_->caret(), (HexCaret{0, true}));
    QTest::keyClick(editor_, Qt::Key_PageUp);
    QCOMPARE(editor_->caret(), (HexCaret{0, true}));
}

void HexEditBaseTest::shiftDownTwiceSelectsTwoRowsFurther() {
    editor_->setData(counting(100));
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(editor_, Qt::Key_Right);
    }
    QCOMPARE(editor_->caret(), (HexCaret{5, true}));
    QTest::keyClick(editor_, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(editor_, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(editor_->selection(), (HexSelection{5, 37}));
    QTest::keyClick(editor_, Qt::Key_Left);
    QVERIFY(!editor_->selection());
}

void HexEditBaseTest::copyPutsBlockAndTextOnTheClipboard() {
    editor_->setData(Bytes{0x01, 0xAB, 0xFF, 0x00});
    editor_->setSelection(0, 2);
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime != nullptr);
    QCOMPARE(mime->text(), QStringLiteral("01 AB FF\n"));
    QCOMPARE(toBytes(mime->data(CHexEditBase::kBinaryDataMimeType)),
             (Bytes{0x03, 0x00, 0x00, 0x00, 0x01, 0xAB, 0xFF}));
}

void HexEditBaseTest::copyWithoutSelectionLeavesTheClipboard() {
    editor_->setData(counting(8));
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

void HexEditBaseTest::pasteNearTheEndWritesWhatFits() {
    editor_->setData(counting(20));
    QSignalSpy changes(editor_, &CHexEditBase::editChanged);
    putBlockOnClipboard({0xA1, 0xA2, 0xA3, 0xA4, 0xA5});
    QTest::keyClick(editor_, Qt::Key_End);
    QTest::keyClick(editor_, Qt::Key_Left);
    QTest::keyClick(editor_, Qt::Key_Left); // byte 18
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    Bytes expected = counting(20);
    expected[18] = 0xA1;
    expected[19] = 0xA2;
    QCOMPARE(contents(*editor_), expected);
    QCOMPARE(editor_->selection(), (HexSelection{18, 19}));
    QCOMPARE(editor_->caret(), (HexCaret{19, false}));
    QCOMPARE(changes.count(), 1);
}

void HexEditBaseTest::pasteIgnoresClipboardText() {
    editor_->setData(counting(8));
    QSignalSpy changes(editor_, &CHexEditBase::editChanged);
    QGuiApplication::clipboard()->setText(QStringLiteral("01 AB FF\n"));
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(contents(*editor_), counting(8));
    QCOMPARE(changes.count(), 0);
}

void HexEditBaseTest::readOnlyRefusesEditsButSelectsAndCopies() {
    setBackgrounds(*editor_, kGrey);
    editor_->setReadOnly(true, true);
    editor_->setData(counting(20));
    QSignalSpy changes(editor_, &CHexEditBase::editChanged);
    QTest::keyClicks(editor_, "ff");
    putBlockOnClipboard({0xEE, 0xEE});
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(contents(*editor_), counting(20));
    QCOMPARE(changes.count(), 0);

    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(editor_->selection(), (HexSelection{0, 19}));
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    const Bytes copied =
        toBytes(QGuiApplication::clipboard()->mimeData()->data(CHexEditBase::kBinaryDataMimeType));
    QCOMPARE(copied.size(), std::size_t{24});
    QCOMPARE(Bytes(copied.begin() + 4, copied.end()), counting(20));
}

void HexEditBaseTest::changeSignalOnlyForChangedBytes() {
    QSignalSpy changes(editor_, &CHexEditBase::editChanged);
    QTest::keyClicks(editor_, "12"); // nothing to type over yet
    editor_->setData(counting(64));
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End,
                              Qt::Key_Home, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_G}) {
        QTest::keyClick(editor_, key);
        QTest::keyClick(editor_, key, Qt::ShiftModifier);
    }
    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    QTest::mouseDClick(editor_->viewport(), Qt::LeftButton, {}, digitPoint(*editor_, 1, false, 0));
    editor_->selectAll();
    editor_->makeVisible(40, 50, true);
    QCOMPARE(contents(*editor_), counting(64));
    QCOMPARE(changes.count(), 0);

    QTest::keyClick(editor_, Qt::Key_7);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toInt(), kEditorId);
}

void HexEditBaseTest::mouseDragSelects() {
    editor_->setData(counting(64));
    QWidget* viewport = editor_->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, digitPoint(*editor_, 2, false, 0));
    QCOMPARE(editor_->caret(), (HexCaret{2, true}));
    QTest::mouseMove(viewport, digitPoint(*editor_, 5, true, 1));
    QCOMPARE(editor_->selection(), (HexSelection{2, 21}));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, digitPoint(*editor_, 5, true, 1));
    QCOMPARE(editor_->selection(), (HexSelection{2, 21}));
    QCOMPARE(editor_->caret(), (HexCaret{21, false}));

    // A press starts afresh; beyond the data it lands on the last byte.
    QTest::mousePress(viewport, Qt::LeftButton, {}, digitPoint(*editor_, 9, false, 5));
    QVERIFY(!editor_->selection());
    QCOMPARE(editor_->caret(), (HexCaret{63, false}));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, digitPoint(*editor_, 9, false, 5));
}

void HexEditBaseTest::draggingBelowTheTextAutoScrolls() {
    editor_->setData(counting(1024));
    QWidget* viewport = editor_->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, digitPoint(*editor_, 2, false, 0));
    // Far below the text: a row every two ticks of 5 ms.
    QTest::mouseMove(viewport,
                     QPoint(digitPoint(*editor_, 2, false, 0).x(), viewport->height() + 60));
    QTRY_VERIFY(editor_->verticalPosition() >= 4);
    const HexSelection selection = *editor_->selection();
    QCOMPARE(selection.first, std::size_t{2});
    QVERIFY(selection.last >= std::size_t{16} * (4 + editor_->layout().fullRows));

    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(0, viewport->height() + 60));
    const int stopped = editor_->verticalPosition();
    QTest::qWait(60);
    QCOMPARE(editor_->verticalPosition(), stopped);
}

void HexEditBaseTest::doubleClickSelectsOneByte() {
    editor_->setData(counting(64));
    editor_->clearFocus();
    QTest::mouseDClick(editor_->viewport(), Qt::LeftButton, {}, digitPoint(*editor_, 4, true, 2));
    QCOMPARE(editor_->selection(), (HexSelection{36, 36}));
    QVERIFY(editor_->hasFocus());
}

void HexEditBaseTest::wheelScrollsOneRowPerNotch() {
    editor_->setData(counting(1024));
    const auto turn = [this](int delta) {
        const QPointF centre = QRectF(editor_->viewport()->rect()).center();
        QWheelEvent wheel(centre, editor_->viewport()->mapToGlobal(centre), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor_->viewport(), &wheel);
    };
    turn(-120);
    QCOMPARE(editor_->verticalPosition(), 1);
    turn(-240);
    QCOMPARE(editor_->verticalPosition(), 3);
    turn(-60); // half a notch waits for the other half
    QCOMPARE(editor_->verticalPosition(), 3);
    turn(-60);
    QCOMPARE(editor_->verticalPosition(), 4);
    turn(120 * 10);
    QCOMPARE(editor_->verticalPosition(), 0);
    QCOMPARE(editor_->caret(), (HexCaret{0, true}));
}

void HexEditBaseTest::scrollBarsFollowTheLayout() {
    editor_->setData(counting(256 * 1024 - 1));
    QScrollBar* bar = editor_->verticalScrollBar();
    QTRY_COMPARE(bar->maximum(), editor_->layout().verticalMaximum);
    QCOMPARE(bar->maximum(), 16384 - editor_->layout().fullRows);
    QCOMPARE(bar->pageStep(), editor_->layout().fullRows);

    QTest::keyClick(editor_, Qt::Key_Right);
    bar->setValue(5000);
    QCOMPARE(editor_->verticalPosition(), 5000);
    QCOMPARE(editor_->caret(), (HexCaret{0, false}));

    QTest::keyClick(editor_, Qt::Key_End);
    QTRY_COMPARE(bar->value(), bar->maximum());
    QCOMPARE(editor_->verticalPosition(), bar->maximum());

    // A narrower window needs the horizontal bar.
    editor_->setFixedSize(300, 160);
    QTRY_VERIFY(editor_->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(editor_->horizontalScrollBar()->maximum(), editor_->layout().horizontalMaximum);
}

void HexEditBaseTest::tabMovesTheFocus() {
    editor_->setData(counting(8));
    QTest::keyClick(editor_, Qt::Key_Tab);
    QVERIFY(after_->hasFocus());
    editor_->setFocus();
    QTest::keyClick(editor_, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(before_->hasFocus());
}

void HexEditBaseTest::selectionKeepsUnfocusedColours() {
    useColouredSelection(*editor_);
    editor_->setData(counting(64));
    editor_->setSelection(1, 2);
    editor_->redraw();
    const QRect selected = hexCell(*editor_, 3, 0, 5);
    const QRgb focused = editor_->palette().color(QPalette::Highlight).rgb();
    const QRgb unfocused = editor_->palette().color(QPalette::Button).rgb();

    QVERIFY(countPixels(frameOf(*editor_), selected, focused) > selected.width());
    after_->setFocus();
    QTRY_VERIFY(!editor_->hasFocus());
    const QImage frame = frameOf(*editor_);
    QCOMPARE(countPixels(frame, selected, focused), 0);
    QVERIFY(countPixels(frame, selected, unfocused) > selected.width());
    // Bytes 0 and 3 are not selected.
    QCOMPARE(countPixels(frame, hexCell(*editor_, 0, 0, 2), unfocused), 0);
    QCOMPARE(countPixels(frame, hexCell(*editor_, 9, 0, 2), unfocused), 0);
}

void HexEditBaseTest::accumulatedPaintsKeepEarlierMarks() {
    useColouredSelection(*editor_);
    editor_->setData(counting(64));
    after_->setFocus();
    QTRY_VERIFY(!editor_->hasFocus());
    const QRgb mark = editor_->palette().color(QPalette::Button).rgb();
    const auto marked = [this, mark](const QImage& frame, int byte) {
        return countPixels(frame, hexCell(*editor_, 3 * byte, 0, 2), mark) > 0;
    };

    // As the engineer sheets mark differing bytes one after another.
    editor_->redrawNow();
    editor_->setAccumulatePaint(true);
    for (const std::size_t byte : {1U, 5U, 9U}) {
        editor_->setSelection(byte, byte);
        editor_->makeVisible(byte, byte, false);
        editor_->redrawNow();
    }
    editor_->setAccumulatePaint(false);
    editor_->clearSelection();
    QImage frame = frameOf(*editor_);
    QVERIFY(!marked(frame, 0));
    QVERIFY(marked(frame, 1));
    QVERIFY(!marked(frame, 3));
    QVERIFY(marked(frame, 5));
    QVERIFY(marked(frame, 9));

    // A normal paint clears the marks.
    editor_->redrawNow();
    frame = frameOf(*editor_);
    QVERIFY(!marked(frame, 1));
    QVERIFY(!marked(frame, 5));
}

void HexEditBaseTest::onlyFixedPitchFontsAreTaken() {
    const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QFontMetricsF metrics(general);
    if (metrics.horizontalAdvance(QLatin1Char('i')) ==
        metrics.horizontalAdvance(QLatin1Char('W'))) {
        QSKIP("the general font of this machine is fixed-pitch");
    }
    const HexLayout before = editor_->layout();
    QVERIFY(!editor_->setHexFont(general));
    QCOMPARE(editor_->layout().charWidth, before.charWidth);

    QFont large = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    large.setPixelSize(40);
    QVERIFY(editor_->setHexFont(large));
    QVERIFY(editor_->layout().charWidth > before.charWidth);
    QVERIFY(editor_->layout().lineHeight > before.lineHeight);
}

void HexEditBaseTest::emptyEditorDrawsNoHexColumn() {
    setBackgrounds(*editor_, kGrey);
    editor_->setColour(Slot::HexBackground, 0x0000FF);
    editor_->setData({});
    after_->setFocus(); // no caret over the column
    QTRY_VERIFY(!editor_->hasFocus());
    const QImage frame = frameOf(*editor_);
    QCOMPARE(countPixels(frame, hexCell(*editor_, 0, 0, 4), 0xFF0000), 0);
    QCOMPARE(countPixels(frame, hexCell(*editor_, 0, 0, 4), 0xC8C8C8),
             4 * editor_->layout().charWidth * editor_->layout().lineHeight);
    editor_->setFocus();
    QSignalSpy changes(editor_, &CHexEditBase::editChanged);
    QTest::keyClicks(editor_, "12");
    putBlockOnClipboard({1, 2});
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor_, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(editor_->dataLength(), std::size_t{0});
    QVERIFY(!editor_->selection());
    QCOMPARE(changes.count(), 0);
}

} // namespace zephlin

QTEST_MAIN(zephlin::HexEditBaseTest)
