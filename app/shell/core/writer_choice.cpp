#include "shell/core/writer_choice.h"

#include "Zephlin_DLL.h"

#include <array>

namespace zephlin {

WriterChoiceParse parseWriterChoice(const std::vector<std::string>& arguments) {
    constexpr std::string_view kStateOption = "--sim-state";
    constexpr std::string_view kStateAssignment = "--sim-state=";
    WriterChoiceParse parse;
    bool stateGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--writer=sim") {
            parse.choice.simulated = true;
        } else if (argument == "--writer=usb") {
            parse.choice.simulated = false;
        } else if (argument == "--engineer") {
            parse.engineerMode = true;
        } else if (argument == kStateOption) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                parse.error = "--sim-state needs a file name";
                return parse;
            }
            parse.choice.stateFile = arguments[++i];
            stateGiven = true;
        } else if (argument.starts_with(kStateAssignment) &&
                   argument.size() > kStateAssignment.size()) {
            parse.choice.stateFile = std::string(argument.substr(kStateAssignment.size()));
            stateGiven = true;
        } else {
            parse.error = "unknown argument: " + std::string(argument);
            return parse;
        }
    }
    // A state file for the USB writer would be silently ignored; an operator
    // who gives one expects the simulator.
    if (stateGiven && !parse.choice.simulated) {
        parse.error = "--sim-state needs --writer=sim";
    }
    return parse;
}

bool applyWriterChoice(const WriterChoice& choice, std::string& error) {
    if (!choice.simulated) {
        if (ZephlinUseUsbWriter() != 1) {
            error = "the USB writer cannot be selected";
            return false;
        }
        return true;
    }
    ZephlinSimulatorOptions options{};
    options.structSize = sizeof options;
    options.stateFile = choice.stateFile.empty() ? nullptr : choice.stateFile.c_str();
    std::array<char, 512> reason{};
    if (ZephlinUseSimulatedWriter(&options, reason.data(), reason.size()) != 1) {
        error = std::string("simulated writer: ") + reason.data();
        return false;
    }
    return true;
}

std::wstring_view writerCaptionSuffix() {
    return ZephlinSelectedWriter() == ZEPHLIN_WRITER_SIMULATOR ? L" [simulated writer]" : L"";
}

} // namespace zephlin
