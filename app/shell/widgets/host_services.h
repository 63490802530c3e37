// The library's questions and messages as the window's message boxes: the
// firmware-update questions (Yes/No) and the few messages it shows. A worker
// thread's question is asked on the user-interface thread while the worker
// waits; the run's input block steps aside so that the box can be answered.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace zephlin {

class WindowRunnerHost;

class WindowHostServices : public QObject {
    Q_OBJECT

public:
    // Installs itself in the library; the window must outlive it.
    WindowHostServices(QWidget* window, WindowRunnerHost& runnerHost);
    ~WindowHostServices() override;
    WindowHostServices(const WindowHostServices&) = delete;
    WindowHostServices& operator=(const WindowHostServices&) = delete;

    bool askYesNo(const QString& question);
    void showMessage(const QString& text, bool stop);

private:
    // Runs a box on the user-interface thread, from whichever thread asks;
    // the asking thread waits for the answer. One export runs at a time, so
    // one box at most is pending.
    void onWindowThread(const std::function<void()>& box);
    Q_INVOKABLE void showPending();

    QWidget* window_;
    WindowRunnerHost& runnerHost_;
    const std::function<void()>* pending_ = nullptr;
    // The services the library holds now: a window made while another
    // still exists takes them over, and only the holder gives them back.
    static inline WindowHostServices* installed_ = nullptr;
};

} // namespace zephlin
