// The Engineer window over an Engineer.ini in a fresh folder, its controls
// found by their identifiers, its log entries in a test workspace.
#include "engineer_dlg_test.h"

#include "buffer/widgets/hex_edit_base.h"
#include "common/widgets/control_placement.h"
#include "engineer/core/engineer_ids.h"
#include "engineer/widgets/engineer_dlg.h"
#include "engineer/widgets/sheet_dlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include <fstream>

namespace zephlin {
namespace {

namespace ids = engineer_ids;

const char* const kTwoSheets =
    "[Main]\nSheetCount=2\n"
    "[Sheet0]\nName=OR\nWriteOfBytes=16\nReadOfBytes=16\nItemCount=2\n"
    "Item00_Name=CTRL\nItem00_AddrOffset=0\nItem00_Bit00=EN\nItem00_Bit03=MODE\n"
    "Item00_Bit28=LOCK\nItem00_Bit04=FAST\n"
    "Item01_Name=STAT\nItem01_AddrOffset=4\nItem01_Bit00=BUSY\nItem01_Bit31=DONE\n"
    "[Sheet1]\nName=CFG\n"
    "[Sheet2]\nName=DATA\nWriteOfBytes=8\nReadOfBytes=8\nItemCount=1\nItem00_Name=KEY\n"
    "Item00_Size=3\n"
    "[Sheet3]\nName=DUMP\nWriteOfBytes=32\nReadOfBytes=32\nItemCount=1\nItem00_Size=32\n";

std::vector<uint8_t> bytesOf(const CHexEditBase* field) {
    std::vector<uint8_t> bytes(field->dataLength());
    field->getData(bytes);
    return bytes;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether byte j of a one-row field is drawn with a selection mark: the
// marks are the only reddish pixels of a read value.
bool markedAt(CHexEditBase* field, std::size_t j) {
    const QImage image = field->viewport()->grab().toImage();
    const HexLayout& layout = field->layout();
    const int x = layout.text.left + layout.hex.start + layout.charWidth * 3 * static_cast<int>(j) -
                  field->horizontalPosition();
    const int y = layout.text.top + 1;
    const QColor pixel = image.pixelColor(x, y);
    return pixel.red() > pixel.green() + 40;
}

} // namespace

void EngineerDlgTest::init() {
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    folder_ = root_->filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(folder_));
    workspace_ = std::make_unique<testing::TestWorkspace>();
}

void EngineerDlgTest::cleanup() {
    workspace_.reset();
    root_.reset();
}

void EngineerDlgTest::writeIni(const char* text) {
    std::ofstream(QDir(folder_).filePath(QStringLiteral("Engineer.ini")).toStdString()) << text;
}

std::unique_ptr<CEngineerDlg> EngineerDlgTest::openWindow() {
    auto window = std::make_unique<CEngineerDlg>(**workspace_, folder_.toStdString());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    return window;
}

void EngineerDlgTest::sheetCountGivesTheTabsAndEverySheetExists() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    QCOMPARE(window->tabs()->count(), 2);
    QCOMPARE(window->tabs()->tabText(0), QStringLiteral("OR"));
    QCOMPARE(window->tabs()->tabText(1), QStringLiteral("CFG"));
    for (int index = 0; index < 4; ++index) {
        QVERIFY(window->sheet(index) != nullptr);
        QCOMPARE(window->sheet(index)->isVisible(), index == 0);
    }
    window->tabs()->setCurrentIndex(1);
    QVERIFY(window->sheet(1)->isVisible());
    QVERIFY(!window->sheet(0)->isVisible());
    QCOMPARE(findControl<QLabel>(window->sheet(0), ids::kItemLabel)->text(),
             QStringLiteral("CTRL : "));
}

void EngineerDlgTest::typedValueTicksTheRegisterBitsAndWriteLogsPass() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    CSheetDlg* sheet = window->sheet(0);
    auto* write = findControl<CHexEditBase>(sheet, ids::kWriteValue);
    QTest::keyClicks(write, QStringLiteral("12345678"));
    QCOMPARE(bytesOf(write), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78}));
    QVERIFY(!findControl<QCheckBox>(sheet, ids::bitBox(0, 0))->isChecked());
    QVERIFY(findControl<QCheckBox>(sheet, ids::bitBox(0, 3))->isChecked());
    QVERIFY(findControl<QCheckBox>(sheet, ids::bitBox(0, 28))->isChecked());
    QVERIFY(findControl<QCheckBox>(sheet, ids::bitBox(0, 4))->isChecked());
    QVERIFY(!findControl<QCheckBox>(sheet, ids::bitBox(0, 31))->isChecked());

    QTest::mouseClick(findControl<QPushButton>(sheet, ids::kWrite), Qt::LeftButton);
    QVERIFY(workspace_->log().starts_with(L"000 - Write Engineer OR =>Pass   ["));
    QCOMPARE(sheet->model().writeImage(),
             (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                   0xFF, 0xFF, 0xFF}));
}

void EngineerDlgTest::aBoxRebuildsTheWriteValue() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    CSheetDlg* sheet = window->sheet(0);
    QTest::mouseClick(findControl<QCheckBox>(sheet, ids::bitBox(1, 31)), Qt::LeftButton);
    QTest::mouseClick(findControl<QCheckBox>(sheet, ids::bitBox(1, 0)), Qt::LeftButton);
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kWriteValue + 1)),
             (std::vector<uint8_t>{0x80, 0x00, 0x00, 0x01}));
    QTest::mouseClick(findControl<QCheckBox>(sheet, ids::bitBox(1, 31)), Qt::LeftButton);
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kWriteValue + 1)),
             (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x01}));
}

void EngineerDlgTest::anUnnamedBitHasADisabledBox() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    CSheetDlg* sheet = window->sheet(0);
    QVERIFY(!findControl<QCheckBox>(sheet, ids::bitBox(0, 5))->isEnabled());
    QVERIFY(findControl<QLabel>(sheet, ids::bitLabel(0, 5))->text().isEmpty());
    QVERIFY(findControl<QCheckBox>(sheet, ids::bitBox(0, 4))->isEnabled());
    QCOMPARE(findControl<QLabel>(sheet, ids::bitLabel(0, 4))->text(), QStringLiteral("FAST"));
    // Clicking a disabled box changes nothing.
    QTest::mouseClick(findControl<QCheckBox>(sheet, ids::bitBox(0, 5)), Qt::LeftButton);
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kWriteValue)),
             (std::vector<uint8_t>{0, 0, 0, 0}));
}

void EngineerDlgTest::readStoresTheFileShowsErasedBytesAndMarksThem() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    CSheetDlg* sheet = window->sheet(0);
    auto* write = findControl<CHexEditBase>(sheet, ids::kWriteValue);
    auto* read = findControl<CHexEditBase>(sheet, ids::kReadValue);
    QTest::keyClicks(write, QStringLiteral("FF00FF10"));
    QVERIFY(!findControl<QPushButton>(sheet, ids::kSync)->isEnabled());
    QTest::mouseClick(findControl<QPushButton>(sheet, ids::kRead), Qt::LeftButton);

    QCOMPARE(fileBytes(QDir(folder_).filePath(QStringLiteral("OR.bin"))),
             QByteArray(16, static_cast<char>(0xFF)));
    QCOMPARE(bytesOf(read), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kReadValue + 1)),
             (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    QVERIFY(findControl<QPushButton>(sheet, ids::kSync)->isEnabled());
    QVERIFY(workspace_->log().find(L"000 - Read Engineer OR =>Pass") != std::wstring::npos);

    // Bytes 1 and 3 differ and are marked; 0 and 2 are equal and are not.
    QVERIFY(!markedAt(read, 0));
    QVERIFY(markedAt(read, 1));
    QVERIFY(!markedAt(read, 2));
    QVERIFY(markedAt(read, 3));
    // Every named bit that is 0 in the write value gets a red connector.
    const EngineerSheetModel& model = sheet->model();
    for (std::size_t i = 0; i < model.itemCount(); ++i) {
        for (int b = 0; b < kBitsPerRegister; ++b) {
            QCOMPARE(model.connectorMarked(i, b), model.bitEnabled(i, b) && !model.bit(i, b));
        }
    }
}

void EngineerDlgTest::syncCopiesTheReadValues() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    CSheetDlg* sheet = window->sheet(0);
    QTest::mouseClick(findControl<QPushButton>(sheet, ids::kRead), Qt::LeftButton);
    QTest::mouseClick(findControl<QPushButton>(sheet, ids::kSync), Qt::LeftButton);
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kWriteValue)),
             (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    QVERIFY(findControl<QCheckBox>(sheet, ids::bitBox(0, 5))->isChecked());
    QVERIFY(!markedAt(findControl<CHexEditBase>(sheet, ids::kReadValue), 0));
}

void EngineerDlgTest::aNameWithAPathWritesOnlyInsideTheFolder() {
    writeIni("[Main]\nSheetCount=1\n[Sheet0]\nName=../x\nReadOfBytes=16\nItemCount=1\n");
    auto window = openWindow();
    QTest::mouseClick(findControl<QPushButton>(window->sheet(0), ids::kRead), Qt::LeftButton);
    QVERIFY(!QFile::exists(root_->filePath(QStringLiteral("x.bin"))));
    QCOMPARE(QDir(root_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("work")});
    QCOMPARE(fileBytes(QDir(folder_).filePath(QStringLiteral("___x.bin"))).size(), 16);
}

void EngineerDlgTest::theBlockSheetWritesOnlyAfterARead() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    CSheetDlg* sheet = window->sheet(3);
    auto* write = findControl<QPushButton>(sheet, ids::kWrite);
    QVERIFY(!write->isEnabled());
    QVERIFY(findControl(sheet, ids::kSync) == nullptr);
    QTest::mouseClick(findControl<QPushButton>(sheet, ids::kRead), Qt::LeftButton);
    QVERIFY(write->isEnabled());
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kWriteValue)),
             std::vector<uint8_t>(32, 0xFF));
    QCOMPARE(fileBytes(QDir(folder_).filePath(QStringLiteral("DUMP.bin"))).size(), 32);
}

void EngineerDlgTest::theByteSheetShowsTheDutIdAfterARead() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    CSheetDlg* sheet = window->sheet(2);
    auto* status = findControl<QLabel>(sheet, ids::kDutStatus);
    QVERIFY(status->text().isEmpty());
    QTest::mouseClick(findControl<QPushButton>(sheet, ids::kRead), Qt::LeftButton);
    QCOMPARE(status->text(), QStringLiteral("ID pass"));
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kDutField)),
             std::vector<uint8_t>(5, 0xFF));
    QCOMPARE(bytesOf(findControl<CHexEditBase>(sheet, ids::kReadValue)),
             std::vector<uint8_t>(3, 0xFF));
}

void EngineerDlgTest::aWheelNotchScrollsOneLine() {
    std::string ini = "[Main]\nSheetCount=1\n[Sheet0]\nName=OR\nItemCount=8\n";
    writeIni(ini.c_str());
    auto window = openWindow();
    QScrollBar* bar = window->sheet(0)->scrollArea()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->singleStep(), std::max(1, bar->maximum() / 20));
    window->sheet(0)->scrollByWheel(-120);
    QCOMPARE(bar->value(), bar->singleStep());
    window->sheet(0)->scrollByWheel(-60); // not a notch: ignored
    QCOMPARE(bar->value(), bar->singleStep());
    window->sheet(0)->scrollByWheel(120);
    QCOMPARE(bar->value(), 0);
}

void EngineerDlgTest::noIniGivesNoTabsAndEmptySheets() {
    auto window = openWindow();
    QCOMPARE(window->tabs()->count(), 0);
    QVERIFY(window->sheet(0)->isVisible());
    QVERIFY(findControl(window->sheet(0), ids::kWriteValue) == nullptr);
    QTest::mouseClick(findControl<QPushButton>(window->sheet(0), ids::kRead), Qt::LeftButton);
    QVERIFY(QFile::exists(QDir(folder_).filePath(QStringLiteral(".bin"))));
}

void EngineerDlgTest::everyControlHasAnAccessibleName() {
    writeIni(kTwoSheets);
    auto window = openWindow();
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool named = control->property(kControlIdProperty).isValid() ||
                           qobject_cast<QAbstractButton*>(control) != nullptr ||
                           qobject_cast<QLabel*>(control) != nullptr;
        if (named) {
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
    }
}

} // namespace zephlin

QTEST_MAIN(zephlin::EngineerDlgTest)
