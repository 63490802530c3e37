// The device buttons of the main window on the simulated writer: what each
// click leaves in the record, the log, the pages and the buttons, and how a
// running command keeps everything else from starting.
#include "device_buttons_test.h"

#include "buffer/widgets/buffer_page.h"
#include "buffer/widgets/hex_edit_base.h"
#include "common/profile_file.h"
#include "common/widgets/control_placement.h"
#include "shell/core/control_ids.h"
#include "shell/core/operation_runner.h"

#include "Zephlin_DLL.h"
#include "support/checksum16.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <numeric>
#include <thread>
#include <vector>

namespace zephlin {
namespace {

constexpr int32_t kSmallPart = 0;    // 32 KiB, no second area
constexpr int32_t kChecksumPart = 6; // saves the chip checksum
constexpr int32_t kIspPart = 17;     // chip type 21, a 6 KiB second area

std::vector<uint8_t> pattern(std::size_t length, uint8_t seed = 0) {
    std::vector<uint8_t> bytes(length);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

void click(CZephlin_APDlg& window, int id) {
    auto* button = findControl<QAbstractButton>(&window, id);
    QVERIFY2(button != nullptr && button->isEnabled(), qPrintable(QString::number(id)));
    button->click();
}

// The log without its time trailers.
QString logOf(CZephlin_APDlg& window) {
    return findControl<QPlainTextEdit>(&window, ids::kLog)
        ->toPlainText()
        .remove(QRegularExpression(QStringLiteral("   \\[[0-9]+\\.[0-9]{3}\"\\]")));
}

QString field(CZephlin_APDlg& window, int id) {
    return findControl<QLineEdit>(&window, id)->text();
}

bool enabled(CZephlin_APDlg& window, int id) {
    return findControl(&window, id)->isEnabled();
}

// A worker-form command that holds its worker until released, with the
// result word at 40 % meanwhile.
class HeldCommand : public Command {
public:
    explicit HeldCommand(ZephlinContext& record) : record_(record) {}
    TextPair name() const override { return {L"Held", L"Held"}; }
    CallForm form() const override { return CallForm::Worker; }
    Preparation prepare() override { return Preparation::use(record_); }
    uint16_t call(ZephlinContext& record) override {
        std::atomic_ref<uint16_t>(*record.result).store(40);
        while (!released.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::atomic_ref<uint16_t>(*record.result).store(ZEPHLIN_RESULT_PASS);
        return ZEPHLIN_RESULT_PASS;
    }
    std::atomic<bool> released{false};

private:
    ZephlinContext& record_;
};

} // namespace

void DeviceButtonsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void DeviceButtonsTest::cleanup() {
    ZephlinUseUsbWriter();
    dir_.reset();
}

std::unique_ptr<CZephlin_APDlg>
DeviceButtonsTest::openWindow(std::initializer_list<const char*> faults) {
    const std::vector<const char*> list(faults);
    ZephlinSimulatorOptions options{};
    options.structSize = sizeof options;
    options.faults = list.data();
    options.faultCount = list.size();
    if (ZephlinUseSimulatedWriter(&options, nullptr, 0) != 1) {
        return nullptr;
    }
    MainWindowOptions windowOptions;
    windowOptions.programFolder = dir_->path().toStdWString();
    auto window = std::make_unique<CZephlin_APDlg>(windowOptions);
    QCoreApplication::processEvents();
    return window;
}

void DeviceButtonsTest::checkIdAndWholeChipEraseWriteNumberedEntries() {
    auto window = openWindow();
    QVERIFY(window);
    click(*window, ids::kCheckId);
    click(*window, ids::kWholeChipErase);
    QCOMPARE(logOf(*window),
             QStringLiteral("000 - Check ID =>Pass\n001 - WholeChip Erase =>Pass\n"));
}

void DeviceButtonsTest::eraseActsOnTheSelectedTab() {
    auto window = openWindow();
    QVERIFY(window);
    window->workspace().selectPart(kIspPart);
    QCoreApplication::processEvents();
    const ZephlinContext& record = window->workspace().record();

    click(*window, ids::kErase);
    QCOMPARE(record.codeSize, 32768u);
    QCOMPARE(record.dataSize, 0u);
    findControl<QTabWidget>(window.get(), ids::kBufferTabs)->setCurrentIndex(kSecondPage);
    click(*window, ids::kErase);
    QCOMPARE(record.codeSize, 0u);
    QCOMPARE(record.dataSize, 6144u);
    click(*window, ids::kBlankCheck);
    QCOMPARE(logOf(*window).count(QStringLiteral("=>Pass\n")), 3);
}

void DeviceButtonsTest::programOnTabOneStillSumsTheMainAreaAsErased() {
    auto window = openWindow();
    QVERIFY(window);
    window->workspace().selectPart(kIspPart);
    QCoreApplication::processEvents();
    QVERIFY(window->workspace().buffer().setArea(kSecondPage, pattern(300)));
    QVERIFY(!enabled(*window, ids::kProgram));
    findControl<QTabWidget>(window.get(), ids::kBufferTabs)->setCurrentIndex(kSecondPage);

    click(*window, ids::kProgram);
    const ZephlinContext& record = window->workspace().record();
    QCOMPARE(record.codeSize, 0u);
    QCOMPARE(record.dataSize, 300u);
    QCOMPARE(record.codeAreaChecksum, static_cast<uint16_t>(32768u * 0xFF));
    click(*window, ids::kVerify);
    QCOMPARE(logOf(*window), QStringLiteral("000 - Program =>Pass\n001 - Verify =>Pass\n"));
    QVERIFY(findControl(window.get(), ids::kProgressBar)->isHidden());
}

void DeviceButtonsTest::dumpTargetFillsThePagesAndEnablesTheBufferButtons() {
    auto window = openWindow();
    QVERIFY(window);
    window->workspace().selectPart(kIspPart);
    QCoreApplication::processEvents();
    const std::vector<uint8_t> code = pattern(1000, 5);
    QVERIFY(window->workspace().buffer().setArea(kMainPage, code));
    const auto program = makeProgram(window->workspace(), areasOfPage(kMainPage));
    QCOMPARE(window->workspace().run(*program), ZEPHLIN_RESULT_PASS);
    auto* tabs = findControl<QTabWidget>(window.get(), ids::kBufferTabs);
    tabs->setCurrentIndex(kSecondPage);
    window->workspace().buffer().setArea(kMainPage, {});

    click(*window, ids::kDumpTarget);

    const CodeBuffer& buffer = window->workspace().buffer();
    QCOMPARE(buffer.length(kMainPage), std::size_t{32768});
    QCOMPARE(buffer.length(kSecondPage), std::size_t{6144});
    QVERIFY(std::equal(code.begin(), code.end(), buffer.readArea(kMainPage).begin()));
    QCOMPARE(buffer.loadRecord(kMainPage).state, LoadState::Dumped);
    QCOMPARE(buffer.loadRecord(kSecondPage).state, LoadState::Dumped);
    const uint16_t sum = areaChecksum16(code, 32768);
    QCOMPARE(field(*window, 1803), QStringLiteral("Dump Target"));
    QCOMPARE(field(*window, 1804), QStringLiteral("32768"));
    QCOMPARE(field(*window, 1805), QString::asprintf("%04X", sum));
    QCOMPARE(field(*window, 1806), QString::asprintf("%04X", sum));
    QCOMPARE(field(*window, 1802), QStringLiteral("Dump Target"));
    QCOMPARE(field(*window, 1807), QStringLiteral("6144"));
    QCOMPARE(field(*window, 1809), QString::asprintf("%04X", static_cast<uint16_t>(6144 * 0xFF)));
    QCOMPARE(tabs->currentIndex(), kMainPage);
    QCOMPARE(window->currentPage(), kMainPage);
    for (const int id : {ids::kProgram, ids::kVerify, ids::kAuto}) {
        QVERIFY2(enabled(*window, id), qPrintable(QString::number(id)));
    }
    // The options read from the chip show in the Now controls.
    QVERIFY(!field(*window, ids::kSelectNow).isEmpty());
    QVERIFY(logOf(*window).endsWith(QStringLiteral("001 - Dump Target =>Pass\n")));
}

void DeviceButtonsTest::aFailedDumpKeepsBuffersPagesAndButtons() {
    auto window = openWindow({"no-response"});
    QVERIFY(window);
    QVERIFY(window->workspace().buffer().setArea(kMainPage, pattern(64)));
    window->page(kMainPage).setFilePath(L"/tmp/a.hex");
    window->refreshPageInformation(kMainPage);

    click(*window, ids::kDumpTarget);

    QCOMPARE(window->workspace().buffer().readArea(kMainPage), pattern(64));
    QCOMPARE(window->workspace().buffer().loadRecord(kMainPage).state, LoadState::Empty);
    QCOMPARE(field(*window, 1803), QStringLiteral("/tmp/a.hex"));
    QCOMPARE(field(*window, 1804), QStringLiteral("64"));
    QVERIFY(field(*window, ids::kSelectNow).isEmpty());
    QVERIFY(!enabled(*window, ids::kAuto));
    QCOMPARE(logOf(*window), QStringLiteral("000 - Dump Target =>DUT no response\n"));
}

void DeviceButtonsTest::readOptionsShowsTheNowControlsOnlyWhenItPasses() {
    auto window = openWindow({"no-response"});
    QVERIFY(window);
    const ZephlinContext before = window->workspace().record();
    click(*window, ids::kReadOptions);
    QVERIFY(field(*window, ids::kSelectNow).isEmpty());

    window = openWindow();
    QVERIFY(window);
    click(*window, ids::kReadOptions);
    QVERIFY(!field(*window, ids::kSelectNow).isEmpty());
    QCOMPARE(logOf(*window), QStringLiteral("000 - Read Options =>Pass\n"));
    // The Set controls and the main record keep what the user chose.
    const ZephlinContext& after = window->workspace().record();
    QVERIFY(std::equal(std::begin(before.selectSettings), std::end(before.selectSettings),
                       std::begin(after.selectSettings)));
}

void DeviceButtonsTest::readChipChecksumWritesTheChecksumLine() {
    auto window = openWindow();
    QVERIFY(window);
    auto* button = findControl(window.get(), ids::kReadChipChecksum);
    const PartCatalogue& catalogue = window->workspace().catalogue();
    for (int32_t index = 0; index < catalogue.count(); ++index) {
        window->workspace().selectPart(index);
        QCOMPARE(button->isHidden(), catalogue.part(index).checksumSaveFlag != 1);
    }
    window->workspace().selectPart(kChecksumPart);
    QCoreApplication::processEvents();
    QVERIFY(!button->isHidden());
    click(*window, ids::kReadChipChecksum);
    const QString log = logOf(*window);
    QVERIFY2(QRegularExpression(
                 QStringLiteral(
                     "^000 - Read Chip Checksum =>Pass\n   Chip Checksum :  0x[0-9A-F]{4}\n$"))
                 .match(log)
                 .hasMatch(),
             qPrintable(log));
}

void DeviceButtonsTest::commandsNotOfferedYetStayDisabled() {
    auto window = openWindow();
    QVERIFY(window);
    click(*window, ids::kDumpTarget);
    for (const int id : {ids::kLoadFile, ids::kSaveBuffer, ids::kSaveKdx, ids::kInsertIspCode,
                         ids::kOffLineMode}) {
        QVERIFY2(!enabled(*window, id), qPrintable(QString::number(id)));
    }
    QVERIFY(enabled(*window, ids::kProgram));
}

void DeviceButtonsTest::duringAWorkerRunNothingStartsAndACloseWaitsForItsEnd() {
    auto window = openWindow();
    QVERIFY(window);
    window->show();
    auto* progress = findControl<QProgressBar>(window.get(), ids::kProgressBar);
    HeldCommand held(window->workspace().record());
    bool sawProgress = false;
    QTimer release;
    release.setSingleShot(true);
    connect(&release, &QTimer::timeout, this, [&held] { held.released = true; });
    QTimer during;
    during.setInterval(5);
    connect(&during, &QTimer::timeout, this, [&] {
        if (!progress->isVisible() || progress->value() != 40) {
            return;
        }
        sawProgress = true;
        // As assistive technology presses a button: no mouse event to drop.
        findControl<QAbstractButton>(window.get(), ids::kCheckId)->click();
        QCoreApplication::postEvent(window.get(), new QCloseEvent);
        release.start(20);
        during.stop();
    });
    during.start();

    window->runExclusive([&] { window->workspace().run(held); });

    QVERIFY(sawProgress);
    QCOMPARE(logOf(*window), QStringLiteral("000 - Held =>Pass\n"));
    QVERIFY(progress->isHidden());
    // The close came during the run and happened after it, through the
    // cancel path that stores the settings.
    QVERIFY(!window->isVisible());
    const ProfileFile file(settingsPath().toStdWString());
    QCOMPARE(file.readInt(L"Setting", L"LastPartNo", -1), 0);
}

// The library asks before it replaces the writer's firmware. A worker's
// question is answered with the mouse although the run drops other input.
void DeviceButtonsTest::firmwareQuestionsAreAskedInTheWindow() {
    QString asked;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QTimer answering;
    answering.setInterval(5);
    connect(&answering, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        asked = box->text();
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    });
    answering.start();

    auto window = openWindow({"firmware-mismatch"});
    QVERIFY(window);
    window->show();
    click(*window, ids::kDumpTarget);
    QCOMPARE(asked, QStringLiteral("Unmatched FW version, Do you want to update ?"));
    QCOMPARE(logOf(*window), QStringLiteral("000 - Dump Target =>Pass\n"));

    asked.clear();
    answer = QMessageBox::No;
    window = openWindow({"firmware-mismatch"});
    QVERIFY(window);
    window->show();
    click(*window, ids::kCheckId);
    QVERIFY(!asked.isEmpty());
    QCOMPARE(logOf(*window), QStringLiteral("000 - Check ID =>Update FW user cancel\n"));
}

void DeviceButtonsTest::everyControlHasAnAccessibleName() {
    auto window = openWindow();
    QVERIFY(window);
    window->workspace().selectPart(kIspPart);
    QCoreApplication::processEvents();
    window->show();
    for (const Language language : {Language::English, Language::Chinese}) {
        window->switchLanguage(language);
        const auto controls = window->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            const QVariant id = control->property(kControlIdProperty);
            if (!id.isValid() || id.toInt() == 0) {
                continue;
            }
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible != nullptr);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty() ||
                         (qobject_cast<QLabel*>(control) != nullptr &&
                          qobject_cast<QLabel*>(control)->text().isEmpty()),
                     qPrintable(QStringLiteral("control %1 (%2)")
                                    .arg(id.toInt())
                                    .arg(QString::fromLatin1(control->metaObject()->className()))));
        }
    }
    // Edits and boxes without a text of their own speak their label's.
    QCOMPARE(QAccessible::queryAccessibleInterface(findControl(window.get(), 1804))
                 ->text(QAccessible::Name),
             QStringLiteral("缓冲区大小"));
    window->switchLanguage(Language::English);
    const QString label = findControl<QLabel>(window.get(), ids::kCheckLabel)->text();
    QCOMPARE(QAccessible::queryAccessibleInterface(findControl(window.get(), ids::kCheckSet))
                 ->text(QAccessible::Name),
             label);
    QCOMPARE(findControl(window.get(), ids::kCheckNow)->accessibleDescription(),
             QStringLiteral("Now"));
    QCOMPARE(window->page(kSecondPage).editor()->accessibleName(), QStringLiteral("IAP/ISP"));
    QCOMPARE(findControl(window.get(), ids::kLog)->accessibleName(), QStringLiteral("Message"));
}

void DeviceButtonsTest::groupTitlesAndTabsLeaveRoomForTheirText() {
    auto window = openWindow();
    QVERIFY(window);
    window->switchLanguage(Language::Chinese);
    auto* group = findControl<QGroupBox>(window.get(), ids::kCodeBufferGroup);
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    const QFontMetrics metrics(group->font());
    // The title reaches below the font's descent, so "_" and Chinese show whole.
    QVERIFY(title.height() >= metrics.height() + metrics.descent());
    auto* tabs = findControl<QTabWidget>(window.get(), ids::kBufferTabs);
    QVERIFY(tabs->y() >= group->y() + title.bottom());
    // The page still fits inside the tabs.
    QVERIFY(window->page(kMainPage).height() <= tabs->currentWidget()->height());
}

} // namespace zephlin

QTEST_MAIN(zephlin::DeviceButtonsTest)
