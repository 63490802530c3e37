// The log panel and the runner's window side: the log grammar as the operator
// reads it, and the worker form with progress bar 1219 while the window keeps
// handling events and no other command can start.
#include "log_panel_test.h"

#include "shell/core/log_grammar.h"
#include "shell/core/operation_runner.h"
#include "shell/widgets/log_panel.h"
#include "shell/widgets/runner_host.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace zephlin {
namespace {

// A command that calls nothing but returns a fixed result code.
class FixedResult : public Command {
public:
    FixedResult(TextPair name, uint16_t code) : name_(name), code_(code) {}
    TextPair name() const override { return name_; }
    Preparation prepare() override { return Preparation::use(record_); }
    uint16_t call(ZephlinContext& /*record*/) override { return code_; }

private:
    TextPair name_;
    uint16_t code_;
    ZephlinContext record_{};
};

// A worker-form command whose export reports 1 to 100 percent, then passes.
class ReportingTransfer : public Command {
public:
    TextPair name() const override { return {L"Program", L"编程"}; }
    CallForm form() const override { return CallForm::Worker; }
    Preparation prepare() override {
        record_.result = &word_;
        return Preparation::use(record_);
    }
    uint16_t call(ZephlinContext& record) override {
        std::atomic_ref<uint16_t> word(*record.result);
        for (uint16_t percent = 1; percent <= 100; ++percent) {
            word.store(percent);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        word.store(ZEPHLIN_RESULT_PASS);
        return ZEPHLIN_RESULT_PASS;
    }

private:
    ZephlinContext record_{};
    uint16_t word_ = 0;
};

} // namespace

void LogPanelTest::init() {
    window_ = std::make_unique<QWidget>();
    panel_ = new LogPanel(window_.get());
    progress_ = new QProgressBar(window_.get());
    progress_->setRange(0, 100);
    progress_->hide();
    button_ = new QPushButton(QStringLiteral("Erase"), window_.get());
    button_->move(0, 300);
    language_ = Language::English;
    ticks_.clear();
    host_ = new WindowRunnerHost(window_.get(), progress_, [this] { return language_; });
    log_ = std::make_unique<OperationLog>(*panel_);
    runner_ = std::make_unique<OperationRunner>(*log_, *host_, *host_, [this] {
        // The given readings in turn, then the last one again.
        const uint32_t tick = ticks_.empty() ? 0 : ticks_.front();
        if (ticks_.size() > 1) {
            ticks_.erase(ticks_.begin());
        }
        return tick;
    });
    window_->show();
}

void LogPanelTest::cleanup() {
    runner_.reset();
    log_.reset();
    window_.reset();
}

void LogPanelTest::numbersRunFrom000Past999() {
    FixedResult erase({L"Erase", L"擦除"}, ZEPHLIN_RESULT_PASS);
    for (int i = 0; i < 1001; ++i) {
        runner_->run(erase);
    }
    const QStringList all = lines();
    QCOMPARE(all.at(0), QStringLiteral("000 - Erase =>Pass   [0.000\"]"));
    QVERIFY(all.at(999).startsWith(QStringLiteral("999 - Erase =>Pass")));
    QVERIFY(all.at(1000).startsWith(QStringLiteral("1000 - Erase =>Pass")));
}

void LogPanelTest::trailerShowsMillisecondsAcrossAWrap() {
    FixedResult erase({L"Erase", L"擦除"}, ZEPHLIN_RESULT_PASS);
    ticks_ = {5000, 5002};
    runner_->run(erase);
    ticks_ = {0xFFFFFFFEu, 3};
    runner_->run(erase);
    ticks_ = {100, 1334};
    runner_->run(erase);
    QCOMPARE(lines().at(0), QStringLiteral("000 - Erase =>Pass   [0.002\"]"));
    QCOMPARE(lines().at(1), QStringLiteral("001 - Erase =>Pass   [0.005\"]"));
    QCOMPARE(lines().at(2), QStringLiteral("002 - Erase =>Pass   [1.234\"]"));
}

void LogPanelTest::failuresShowTheMessageTable() {
    FixedResult hid({L"Erase", L"擦除"}, 103);
    FixedResult unsupported({L"Erase", L"擦除"}, 111);
    FixedResult other({L"Erase", L"擦除"}, 121);
    runner_->run(hid);
    runner_->run(unsupported);
    runner_->run(other);
    QCOMPARE(lines().at(0), QStringLiteral("000 - Erase =>HID W/R error   [0.000\"]"));
    QCOMPARE(lines().at(1), QStringLiteral("001 - Erase =>Not support PartNo   [0.000\"]"));
    QCOMPARE(lines().at(2), QStringLiteral("002 - Erase =>Fail   [0.000\"]"));
}

void LogPanelTest::chineseEntriesFollowEnglishOnes() {
    FixedResult program({L"Program", L"编程"}, ZEPHLIN_RESULT_PASS);
    runner_->run(program);
    language_ = Language::Chinese;
    runner_->run(program);
    QCOMPARE(lines().at(0), QStringLiteral("000 - Program =>Pass   [0.000\"]"));
    QVERIFY(lines().at(1).startsWith(QStringLiteral("001 - 编程 =>成功")));
}

void LogPanelTest::workerFormShowsProgressAndBlocksOtherCommands() {
    int clicks = 0;
    connect(button_, &QPushButton::clicked, this, [&clicks] { ++clicks; });
    std::vector<int> seen;
    bool secondRunRefused = false;
    // Runs inside the runner's wait: the window keeps handling events.
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        if (runner_->isBusy()) {
            seen.push_back(progress_->isHidden() ? -1 : progress_->value());
            FixedResult erase({L"Erase", L"擦除"}, ZEPHLIN_RESULT_PASS);
            secondRunRefused = secondRunRefused || !runner_->run(erase).has_value();
            QTest::mouseClick(button_, Qt::LeftButton);
        }
    });
    sampler.start(1);

    ReportingTransfer transfer;
    const std::optional<uint16_t> code = runner_->run(transfer);
    sampler.stop();
    QCOMPARE(code, std::optional<uint16_t>(ZEPHLIN_RESULT_PASS));
    QVERIFY(!seen.empty());
    for (const int value : seen) {
        QVERIFY(value >= 0 && value <= 100); // shown all the while
    }
    QVERIFY(secondRunRefused);
    QCOMPARE(clicks, 0);
    QVERIFY(progress_->isHidden());
    QCOMPARE(lines().size(), 2); // one entry and the empty rest after CR LF
    QVERIFY(lines().at(0).startsWith(QStringLiteral("000 - Program =>Pass   [")));
    QTest::mouseClick(button_, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

} // namespace zephlin

QTEST_MAIN(zephlin::LogPanelTest)
