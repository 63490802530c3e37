#include "shell/widgets/runner_host.h"

#include <QApplication>
#include <QEvent>
#include <QProgressBar>
#include <QWidget>

#include <chrono>
#include <thread>

namespace zephlin {
namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

WindowRunnerHost::WindowRunnerHost(QWidget* window, QProgressBar* progress,
                                   std::function<Language()> language)
    : QObject(window), progress_(progress), language_(std::move(language)) {}

void WindowRunnerHost::setWaitCursor(bool shown) {
    if (shown) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void WindowRunnerHost::setProgressVisible(bool visible) {
    progress_->setValue(0);
    progress_->setVisible(visible);
}

void WindowRunnerHost::setProgress(int percent) {
    progress_->setValue(percent);
}

void WindowRunnerHost::begin() {
    blocking_ = true;
    qApp->installEventFilter(this);
}

void WindowRunnerHost::end() {
    qApp->removeEventFilter(this);
    blocking_ = false;
}

void WindowRunnerHost::waitBriefly() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

bool WindowRunnerHost::eventFilter(QObject* watched, QEvent* event) {
    if (blocking_ && isUserInput(event->type())) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zephlin
