// A workspace for core tests: buffers in memory, the option panel's
// notifications handled when the workspace settles them, the log kept as
// text, and a runner host that shows nothing.
#pragma once

#include "buffer/core/area_storage.h"
#include "shell/core/notification_backlog.h"
#include "shell/core/workspace.h"

#include "Zephlin_DLL.h"

#include <array>
#include <string>
#include <thread>

namespace zephlin::testing {

class TextLog : public LogSink {
public:
    void append(std::wstring_view text) override { text_ += text; }
    void clear() override { text_.clear(); }
    const std::wstring& text() const { return text_; }

private:
    std::wstring text_;
};

class QuietHost : public RunnerHost, public WaitStrategy {
public:
    Language language() const override { return Language::English; }
    void setWaitCursor(bool) override {}
    void setProgressVisible(bool) override {}
    void setProgress(int) override {}
    void waitBriefly() override { std::this_thread::yield(); }
};

class TestWorkspace {
public:
    TestWorkspace() { notifications_.setModel(&workspace_.panel()); }
    TestWorkspace(const TestWorkspace&) = delete;
    TestWorkspace& operator=(const TestWorkspace&) = delete;

    Workspace& operator*() { return workspace_; }
    Workspace* operator->() { return &workspace_; }
    const std::wstring& log() const { return log_.text(); }

private:
    MemoryAreaStorage mainArea_;
    MemoryAreaStorage secondArea_;
    NotificationBacklog notifications_;
    TextLog log_;
    QuietHost host_;
    Workspace workspace_{{mainArea_, secondArea_, notifications_, log_, host_, host_},
                         Language::English};
};

// Selects a fresh simulated writer (a blank chip in its socket) for the
// life of the object, with the given faults injected; the USB writer again
// afterwards.
class SimulatedWriterScope {
public:
    explicit SimulatedWriterScope(std::initializer_list<const char*> faults = {}) {
        const std::vector<const char*> list(faults);
        ZephlinSimulatorOptions options{};
        options.structSize = sizeof options;
        options.faults = list.data();
        options.faultCount = list.size();
        std::array<char, 256> error{};
        selected_ = ZephlinUseSimulatedWriter(&options, error.data(), error.size()) == 1;
        error_ = error.data();
    }
    ~SimulatedWriterScope() { ZephlinUseUsbWriter(); }
    SimulatedWriterScope(const SimulatedWriterScope&) = delete;
    SimulatedWriterScope& operator=(const SimulatedWriterScope&) = delete;

    bool selected() const { return selected_; }
    const std::string& error() const { return error_; }

private:
    bool selected_ = false;
    std::string error_;
};

} // namespace zephlin::testing
