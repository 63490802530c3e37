// The command line of zephlin: one command word, its operands and options in
// any order ("--name value", "--name=value" or a flag), checked against the
// options the command accepts.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephlin::cli {

// A mistake on the command line: the one-line explanation, exit status 64.
struct UsageError {
    std::string message;
};

class Arguments {
public:
    std::string command;
    std::vector<std::string> operands;

    bool has(std::string_view option) const;
    // The last value of an option, if given.
    std::optional<std::string> value(std::string_view option) const;
    // Every value of a repeatable option, in order.
    std::vector<std::string> values(std::string_view option) const;
    // The names of all options given.
    std::vector<std::string> names() const;

    void add(const std::string& option, std::string value) {
        options_[option].push_back(std::move(value));
    }

private:
    std::map<std::string, std::vector<std::string>, std::less<>> options_;
};

// Splits the command line: the first word that is not an option is the
// command, later ones are its operands. Throws UsageError for an unknown
// option or a missing value.
Arguments parseArguments(const std::vector<std::string>& words);

// Refuses options the command does not take and a wrong number of operands.
void requireShape(const Arguments& arguments, std::initializer_list<std::string_view> options,
                  std::size_t minimumOperands, std::size_t maximumOperands);

} // namespace zephlin::cli
