// The log panel and the runner's window side.
#pragma once

#include "shell/core/log_grammar.h"
#include "shell/core/operation_runner.h"
#include "shell/widgets/log_panel.h"
#include "shell/widgets/runner_host.h"
#include <QObject>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

namespace zephlin {

class LogPanelTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void numbersRunFrom000Past999();
    void trailerShowsMillisecondsAcrossAWrap();
    void failuresShowTheMessageTable();
    void chineseEntriesFollowEnglishOnes();
    void workerFormShowsProgressAndBlocksOtherCommands();

private:
    QStringList lines() const { return panel_->toPlainText().split(QLatin1Char('\n')); }

    std::unique_ptr<QWidget> window_;
    LogPanel* panel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* button_ = nullptr;
    WindowRunnerHost* host_ = nullptr;
    std::unique_ptr<OperationLog> log_;
    std::unique_ptr<OperationRunner> runner_;
    Language language_ = Language::English;
    std::vector<uint32_t> ticks_;
};

} // namespace zephlin
