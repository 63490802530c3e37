// The window side of the operation runner: the wait cursor, progress bar 1219,
// and the wait of the worker form, during which the window keeps painting
// while the user's input is dropped, so that no other command can start and
// nothing clicked during the run fires afterwards. A request to close a
// window is not dropped but kept, and carried out once the run has ended.
#pragma once

#include "shell/core/operation_runner.h"

#include <QObject>
#include <QPointer>

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

    // Closes the window whose close request came during a wait, if any.
    void carryOutDroppedClose();

    // While a question of the library is shown during a wait, the user's
    // input reaches it (its box is modal, so nothing else can be clicked).
    class InputForDialog {
    public:
        explicit InputForDialog(WindowRunnerHost& host) : host_(host) { ++host_.dialogsOpen_; }
        ~InputForDialog() { --host_.dialogsOpen_; }
        InputForDialog(const InputForDialog&) = delete;
        InputForDialog& operator=(const InputForDialog&) = delete;

    private:
        WindowRunnerHost& host_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QProgressBar* progress_;
    std::function<Language()> language_;
    bool blocking_ = false;
    int dialogsOpen_ = 0;
    QPointer<QWidget> closeRequested_;
};

} // namespace zephlin
