// A buffer page with its hex editor and information fields, and the Select
// Area dialog, driven through their controls' identifiers.
#include "buffer_page_test.h"

#include "buffer/widgets/buffer_page.h"
#include "buffer/widgets/hex_edit_base.h"
#include "buffer/widgets/select_area_dlg.h"
#include "common/widgets/control_placement.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <vector>

namespace zephlin {

namespace {

struct PageFixture {
    QWidget window;
    CBufferPageDlg* page;
    MemoryAreaStorage second;
    std::unique_ptr<CodeBuffer> buffer;

    PageFixture() : page(new CBufferPageDlg(kMainPage, DialogUnitPlacer(window.font()), &window)) {
        buffer = std::make_unique<CodeBuffer>(*page, second);
    }
    QString field(int id) const { return findControl<QLineEdit>(&window, id)->text(); }
    void refresh() { page->showInformation(buffer->information(kMainPage)); }
};

} // namespace

void BufferPageTest::newPageIsGreyReadOnlyAndEmpty() {
    PageFixture fixture;
    CHexEditBase* editor = findControl<CHexEditBase>(&fixture.window, kHexEditorId);
    QCOMPARE(editor, fixture.page->editor());
    QVERIFY(editor->isReadOnly());
    QCOMPARE(editor->dataLength(), std::size_t{0});
    QCOMPARE(editor->colour(CHexEditBase::ColourSlot::AddressBackground), 0xC8C8C8u);
    QCOMPARE(editor->colour(CHexEditBase::ColourSlot::HexText), 0x000000u);
    QCOMPARE(editor->layout().bytesPerRow, 16u);
    for (const int id : {1803, 1804, 1805, 1806}) {
        QVERIFY(fixture.field(id).isEmpty());
    }
    fixture.page->setEditable(true);
    QVERIFY(!editor->isReadOnly());
    QCOMPARE(editor->colour(CHexEditBase::ColourSlot::AsciiBackground), 0xFFFFFFu);
}

void BufferPageTest::emptyAreaShowsTheErasedChipChecksum() {
    PageFixture fixture;
    fixture.buffer->resetForPart(32 * 1024, 0);
    fixture.refresh();
    QCOMPARE(fixture.field(1804), QStringLiteral("0"));
    QCOMPARE(fixture.field(1805), QStringLiteral("0000"));
    QCOMPARE(fixture.field(1806), QStringLiteral("8000"));
}

void BufferPageTest::sixteenOnesInSixtyFourKilobytes() {
    PageFixture fixture;
    fixture.buffer->resetForPart(64 * 1024, 0);
    QVERIFY(fixture.buffer->setArea(kMainPage, std::vector<uint8_t>(16, 0x01)));
    fixture.page->setFilePath(L"/work/a.bin");
    fixture.refresh();
    QCOMPARE(fixture.field(1803), QStringLiteral("/work/a.bin"));
    QCOMPARE(fixture.field(1804), QStringLiteral("16"));
    QCOMPARE(fixture.field(1805), QStringLiteral("0010"));
    QCOMPARE(fixture.field(1806), QStringLiteral("F020"));
    fixture.page->clearInformation();
    QVERIFY(fixture.field(1803).isEmpty() && fixture.field(1806).isEmpty());
}

void BufferPageTest::editingKeepsTheShownChecksum() {
    PageFixture fixture;
    fixture.window.show();
    fixture.buffer->resetForPart(1024, 0);
    QVERIFY(fixture.buffer->setArea(kMainPage, std::vector<uint8_t>(16, 0x01)));
    fixture.refresh();
    fixture.page->setEditable(true);
    fixture.page->editor()->setFocus();
    QTest::keyClicks(fixture.page->editor(), QStringLiteral("ff"));
    // What a command hands over is what the editor shows, the edit included.
    QCOMPARE(fixture.buffer->readArea(kMainPage).at(0), uint8_t{0xFF});
    QCOMPARE(fixture.field(1805), QStringLiteral("0010"));
}

void BufferPageTest::filledPageShowsItsFillAndLocksItWithoutClear() {
    CSelectAreaDlg dialog(FillMode::Ones, Language::English);
    auto* clear = findControl<QCheckBox>(&dialog, 1220);
    auto* fill = findControl<QCheckBox>(&dialog, 1794);
    auto* zeros = findControl<QRadioButton>(&dialog, 1799);
    auto* ones = findControl<QRadioButton>(&dialog, 1800);
    QCOMPARE(fill->text(), QStringLiteral("Full inunused bytes"));
    QVERIFY(clear->isChecked());
    QVERIFY(fill->isChecked());
    QVERIFY(ones->isChecked());
    QVERIFY(fill->isEnabled() && ones->isEnabled() && zeros->isEnabled());
    clear->click();
    QVERIFY(!fill->isEnabled() && !ones->isEnabled() && !zeros->isEnabled());
    clear->click();
    fill->click();
    QVERIFY(fill->isEnabled() && !ones->isEnabled() && !zeros->isEnabled());
}

void BufferPageTest::unchangedDialogLoadsAtZeroAndReplaces() {
    CSelectAreaDlg dialog(FillMode::None, Language::English);
    QCOMPARE(findControl<QLineEdit>(&dialog, 1124)->text(), QStringLiteral("00000000"));
    QVERIFY(!findControl<QCheckBox>(&dialog, 1794)->isChecked());
    QVERIFY(findControl<QRadioButton>(&dialog, 1800)->isChecked());
    findControl<QPushButton>(&dialog, 1)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const SelectAreaModel::Result choice = dialog.choice();
    QCOMPARE(choice.loadAddress, 0u);
    QVERIFY(choice.clearBuffer);
    QCOMPARE(choice.fillMode, FillMode::None);
}

void BufferPageTest::addressTakesOnlyHexDigits() {
    CSelectAreaDlg dialog(FillMode::None, Language::English);
    dialog.show();
    auto* address = findControl<QLineEdit>(&dialog, 1124);
    address->setFocus();
    address->end(false);
    QTest::keyClicks(address, QStringLiteral("g-"));
    QCOMPARE(address->text(), QStringLiteral("00000000"));
    address->selectAll();
    QTest::keyClick(address, Qt::Key_Backspace);
    QTest::keyClicks(address, QStringLiteral("1a"));
    QCOMPARE(address->text(), QStringLiteral("1A"));
    findControl<QCheckBox>(&dialog, 1794)->click();
    findControl<QRadioButton>(&dialog, 1799)->click();
    findControl<QPushButton>(&dialog, 1)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.choice().loadAddress, 0x1Au);
    QCOMPARE(dialog.choice().fillMode, FillMode::Zeros);
}

void BufferPageTest::mergeWhenClearBufferIsCleared() {
    CSelectAreaDlg dialog(FillMode::None, Language::English);
    findControl<QCheckBox>(&dialog, 1220)->click();
    // Without a fill on the page the fill stays open to choose.
    QVERIFY(findControl<QCheckBox>(&dialog, 1794)->isEnabled());
    findControl<QPushButton>(&dialog, 1)->click();
    QVERIFY(!dialog.choice().clearBuffer);
}

void BufferPageTest::cancelLeavesNothingChosen() {
    CSelectAreaDlg dialog(FillMode::None, Language::English);
    findControl<QPushButton>(&dialog, 2)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void BufferPageTest::chineseTexts() {
    CSelectAreaDlg dialog(FillMode::None, Language::Chinese);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("选择插入区域"));
    QCOMPARE(findControl<QCheckBox>(&dialog, 1220)->text(), QStringLiteral("清除缓冲区"));
    QCOMPARE(findControl<QPushButton>(&dialog, 1)->text(), QStringLiteral("确定"));
    QCOMPARE(findControl<QPushButton>(&dialog, 2)->text(), QStringLiteral("取消"));
}

} // namespace zephlin

QTEST_MAIN(zephlin::BufferPageTest)
