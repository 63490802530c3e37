#include "shell/widgets/runner_host.h"

#include <QApplication>
#include <QEvent>
#include <QProgressBar>
#include <QWidget>
#include <QWindow>

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
        return true;
    default:
        return false;
    }
}

// The widget a close request is for: the close box's request reaches the
// platform window before its widget.
QWidget* closingWidget(QObject* watched) {
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
        return widget->window();
    }
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        if (widget->windowHandle() == watched) {
            return widget;
        }
    }
    return nullptr;
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

void WindowRunnerHost::carryOutDroppedClose() {
    QWidget* const target = closeRequested_.data();
    closeRequested_.clear();
    if (target != nullptr) {
        target->close();
    }
}

bool WindowRunnerHost::eventFilter(QObject* watched, QEvent* event) {
    if (!blocking_ || dialogsOpen_ > 0) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Close) {
        if (closeRequested_.isNull()) {
            closeRequested_ = closingWidget(watched);
        }
        event->ignore();
        return true;
    }
    return isUserInput(event->type()) || QObject::eventFilter(watched, event);
}

} // namespace zephlin
