#include "shell/widgets/host_services.h"

#include "shell/widgets/runner_host.h"

#include "Zephlin_DLL.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <QWidget>

namespace zephlin {
namespace {

WindowHostServices& servicesOf(void* userData) {
    return *static_cast<WindowHostServices*>(userData);
}

int32_t askYesNo(void* userData, const wchar_t* question) {
    return servicesOf(userData).askYesNo(QString::fromWCharArray(question)) ? ZEPHLIN_ANSWER_YES
                                                                            : ZEPHLIN_ANSWER_NO;
}

void showMessage(void* userData, const wchar_t* text, int32_t kind) {
    servicesOf(userData).showMessage(QString::fromWCharArray(text), kind == ZEPHLIN_MESSAGE_STOP);
}

} // namespace

WindowHostServices::WindowHostServices(QWidget* window, WindowRunnerHost& runnerHost)
    : QObject(window), window_(window), runnerHost_(runnerHost) {
    ZephlinHostServices services{};
    services.structSize = sizeof(ZephlinHostServices);
    services.userData = this;
    services.askYesNo = zephlin::askYesNo;
    services.showMessage = zephlin::showMessage;
    ZephlinSetHostServices(&services);
    installed_ = this;
}

WindowHostServices::~WindowHostServices() {
    if (installed_ == this) {
        ZephlinSetHostServices(nullptr);
        installed_ = nullptr;
    }
}

void WindowHostServices::onWindowThread(const std::function<void()>& box) {
    pending_ = &box;
    if (QThread::currentThread() == thread()) {
        showPending();
    } else {
        QMetaObject::invokeMethod(this, "showPending", Qt::BlockingQueuedConnection);
    }
    pending_ = nullptr;
}

void WindowHostServices::showPending() {
    const WindowRunnerHost::InputForDialog answerable(runnerHost_);
    (*pending_)();
}

bool WindowHostServices::askYesNo(const QString& question) {
    bool yes = false;
    onWindowThread([&] {
        yes = QMessageBox::question(window_, window_->windowTitle(), question,
                                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    });
    return yes;
}

void WindowHostServices::showMessage(const QString& text, bool stop) {
    onWindowThread([&] {
        if (stop) {
            QMessageBox::critical(window_, window_->windowTitle(), text);
        } else {
            QMessageBox::information(window_, window_->windowTitle(), text);
        }
    });
}

} // namespace zephlin
