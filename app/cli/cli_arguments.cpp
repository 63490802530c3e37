#include "cli/cli_arguments.h"

#include <algorithm>
#include <array>

namespace zephlin::cli {
namespace {

struct KnownOption {
    std::string_view name;
    bool takesValue;
};

// Every option of every command; requireShape decides which a command takes.
constexpr std::array kOptions{
    KnownOption{"--writer", true},    KnownOption{"--sim-state", true},
    KnownOption{"--sim-fault", true}, KnownOption{"--sim-latency-us", true},
    KnownOption{"--part", true},      KnownOption{"--lang", true},
    KnownOption{"--yes", false},      KnownOption{"--area", true},
    KnownOption{"--data", true},      KnownOption{"--steps", true},
    KnownOption{"--at", true},        KnownOption{"--fill", true},
    KnownOption{"--set", true},       KnownOption{"--customer", true},
    KnownOption{"--isp", true},       KnownOption{"--max-counter", true},
    KnownOption{"--serial", true},    KnownOption{"--number", true},
    KnownOption{"--address", true},   KnownOption{"--increment", false},
    KnownOption{"--help", false},
};

// Options every device and project command takes.
constexpr std::array<std::string_view, 7> kGlobalOptions{
    "--writer", "--sim-state", "--sim-fault", "--sim-latency-us", "--part", "--lang", "--yes"};

const KnownOption* findOption(std::string_view name) {
    const auto found = std::ranges::find_if(
        kOptions, [&](const KnownOption& option) { return option.name == name; });
    return found == kOptions.end() ? nullptr : &*found;
}

} // namespace

bool Arguments::has(std::string_view option) const {
    return options_.find(option) != options_.end();
}

std::optional<std::string> Arguments::value(std::string_view option) const {
    const auto found = options_.find(option);
    if (found == options_.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second.back();
}

std::vector<std::string> Arguments::values(std::string_view option) const {
    const auto found = options_.find(option);
    return found == options_.end() ? std::vector<std::string>{} : found->second;
}

std::vector<std::string> Arguments::names() const {
    std::vector<std::string> names;
    for (const auto& [name, values] : options_) {
        names.push_back(name);
    }
    return names;
}

Arguments parseArguments(const std::vector<std::string>& words) {
    Arguments arguments;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--" && !optionsEnded) {
            optionsEnded = true; // file names after it may begin with "--"
            continue;
        }
        if (word == "-h" && !optionsEnded) {
            arguments.add("--help", {});
            continue;
        }
        if (optionsEnded || !word.starts_with("--")) {
            if (arguments.command.empty()) {
                arguments.command = word;
            } else {
                arguments.operands.push_back(word);
            }
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const KnownOption* known = findOption(name);
        if (known == nullptr) {
            throw UsageError{"unknown option " + name};
        }
        if (!known->takesValue) {
            if (equals != std::string::npos) {
                throw UsageError{name + " takes no value"};
            }
            arguments.add(name, {});
        } else if (equals != std::string::npos) {
            arguments.add(name, word.substr(equals + 1));
        } else if (i + 1 < words.size()) {
            arguments.add(name, words[++i]);
        } else {
            throw UsageError{name + " needs a value"};
        }
    }
    return arguments;
}

void requireShape(const Arguments& arguments, std::initializer_list<std::string_view> options,
                  std::size_t minimumOperands, std::size_t maximumOperands) {
    for (const std::string& name : arguments.names()) {
        const bool global = std::ranges::find(kGlobalOptions, name) != kGlobalOptions.end();
        if (!global && std::ranges::find(options, name) == options.end()) {
            throw UsageError{arguments.command + " does not take " + name};
        }
    }
    if (arguments.operands.size() < minimumOperands) {
        throw UsageError{arguments.command + " needs " + std::to_string(minimumOperands) +
                         (minimumOperands == 1 ? " operand" : " operands")};
    }
    if (arguments.operands.size() > maximumOperands) {
        throw UsageError{"unexpected operand " + arguments.operands[maximumOperands]};
    }
}

} // namespace zephlin::cli
