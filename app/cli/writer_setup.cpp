#include "cli/writer_setup.h"

#include "cli/cli_choices.h"

#include "Zephlin_DLL.h"
#include "support/utf8.h"

#include <charconv>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace zephlin::cli {
namespace {

struct ConsoleAnswers {
    bool yes = false;
    std::optional<std::wstring> savePath;
};

ConsoleAnswers gAnswers;

int32_t askYesNo(void* /*userData*/, const wchar_t* question) {
    const std::string text = utf8::fromWide(question != nullptr ? question : L"");
    std::fprintf(stderr, "zephlin: %s -> %s\n", text.c_str(), gAnswers.yes ? "Yes (--yes)" : "No");
    return gAnswers.yes ? ZEPHLIN_ANSWER_YES : ZEPHLIN_ANSWER_NO;
}

void showMessage(void* /*userData*/, const wchar_t* text, int32_t /*kind*/) {
    std::fprintf(stderr, "zephlin: %s\n", utf8::fromWide(text != nullptr ? text : L"").c_str());
}

int32_t chooseSaveFile(void* /*userData*/, const ZephlinSaveFileRequest* /*request*/, wchar_t* path,
                       size_t pathCapacity) {
    if (!gAnswers.savePath || path == nullptr) {
        return 0;
    }
    const std::wstring& answer = *gAnswers.savePath;
    if (answer.size() >= pathCapacity) {
        return 0;
    }
    std::wmemcpy(path, answer.c_str(), answer.size() + 1);
    return 1;
}

bool isSimulator(const Arguments& arguments) {
    const std::string writer = arguments.value("--writer").value_or("usb");
    if (writer != "usb" && writer != "sim") {
        throw UsageError{"--writer takes usb or sim, not " + writer};
    }
    return writer == "sim";
}

bool checkedAnswer(const Arguments& arguments);

} // namespace

std::optional<uint32_t> parseNumber(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<uint32_t> parseHex(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

void checkWriterOptions(const Arguments& arguments) {
    if (!isSimulator(arguments)) {
        for (const char* option : {"--sim-state", "--sim-fault", "--sim-latency-us"}) {
            if (arguments.has(option)) {
                throw UsageError{std::string(option) + " needs --writer sim"};
            }
        }
    }
    // A report takes about a millisecond on a real writer; a second per
    // report already makes a Check ID take seconds.
    constexpr uint32_t kLongestLatency = 1'000'000;
    if (const auto latency = arguments.value("--sim-latency-us")) {
        const auto microseconds = parseNumber(*latency);
        if (!microseconds || *microseconds > kLongestLatency) {
            throw UsageError{"--sim-latency-us takes a number of microseconds up to 1000000, not " +
                             *latency};
        }
    }
}

namespace {

// The firmware answer of a command line whose writer options are sound.
bool checkedAnswer(const Arguments& arguments) {
    checkWriterOptions(arguments);
    return arguments.has("--yes");
}

} // namespace

HostServicesScope::HostServicesScope(bool answerYes, std::optional<std::wstring> savePath) {
    gAnswers = {answerYes, std::move(savePath)};
    const ZephlinHostServices services{sizeof(ZephlinHostServices), nullptr, askYesNo, showMessage,
                                       chooseSaveFile};
    ZephlinSetHostServices(&services);
}

HostServicesScope::~HostServicesScope() {
    ZephlinSetHostServices(nullptr);
    gAnswers = {};
}

WriterSetup::WriterSetup(const Arguments& arguments)
    : services_(checkedAnswer(arguments), std::nullopt) {
    simulated_ = isSimulator(arguments);
    if (!simulated_) {
        if (ZephlinUseUsbWriter() != 1) {
            throw CommandFailure{kExitInternal, "the USB writer cannot be selected"};
        }
        return;
    }
    const std::string stateFile = arguments.value("--sim-state").value_or("");
    const std::vector<std::string> faults = arguments.values("--sim-fault");
    std::vector<const char*> faultNames;
    faultNames.reserve(faults.size());
    for (const std::string& fault : faults) {
        faultNames.push_back(fault.c_str());
    }
    ZephlinSimulatorOptions options{};
    options.structSize = sizeof options;
    options.stateFile = stateFile.empty() ? nullptr : stateFile.c_str();
    options.faults = faultNames.data();
    options.faultCount = faultNames.size();
    options.latencyMicroseconds =
        parseNumber(arguments.value("--sim-latency-us").value_or("0")).value_or(0);
    char error[512] = {};
    if (ZephlinUseSimulatedWriter(&options, error, sizeof error) != 1) {
        throw UsageError{std::string("simulated writer: ") + error};
    }
    savesState_ = !stateFile.empty();
    std::fprintf(stderr, "zephlin: using the simulated writer%s%s\n",
                 savesState_ ? ", state in " : " (no writer box)", stateFile.c_str());
}

bool WriterSetup::saveState() {
    saved_ = true;
    if (!savesState_) {
        return true;
    }
    char error[512] = {};
    if (ZephlinSaveSimulatorState(error, sizeof error) != 1) {
        std::fprintf(stderr, "zephlin: simulator state not saved: %s\n", error);
        return false;
    }
    return true;
}

int WriterSetup::finish(int status) {
    if (saveState() || status != 0) {
        return status;
    }
    return kExitCannotWrite;
}

WriterSetup::~WriterSetup() {
    if (!saved_) {
        saveState();
    }
}

} // namespace zephlin::cli
