// The window side of the operation runner: the wait cursor, progress bar 1219,
// and the wait of the worker form, during which the window keeps painting
// while the user's input is dropped, so that no other command can start and
// nothing clicked during the run fires afterwards.
#pragma once

#include "shell/core/operation_runner.h"

#include <QObject>

#include <functional>

class QProgressBar;
class QWidget;

namespace zephlin {

class WindowRunnerHost : public QObject, public RunnerHost, public WaitStrategy {
    Q_OBJECT

public:
    WindowRunnerHost(QWidget* window, QProgressBar* progress, std::function<Language()> language);

    Language language() const override { return language_(); }
    void setWaitCursor(bool shown) override;
    void setProgressVisible(bool visible) override;
    void setProgress(int percent) override;

    void begin() override;
    void end() override;
    void waitBriefly() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QProgressBar* progress_;
    std::function<Language()> language_;
    bool blocking_ = false;
};

} // namespace zephlin
