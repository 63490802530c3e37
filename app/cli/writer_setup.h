// The writer a command talks to (the USB writer box or the library's writer
// simulator), and the answers the library's host services get on a console.
#pragma once

#include "cli/cli_arguments.h"

#include <optional>
#include <string>

namespace zephlin::cli {

// Selects the writer from --writer and the --sim-* options, with the console
// host services installed. Throws UsageError for a bad option value or a simulator
// the library refuses. The simulated writer is announced on standard error.
// The console's host services for as long as the object lives: firmware
// questions answered Yes only with --yes (and shown on standard error),
// messages on standard error, the save dialog answered with a given path.
class HostServicesScope {
public:
    HostServicesScope(bool answerYes, std::optional<std::wstring> savePath);
    ~HostServicesScope();
    HostServicesScope(const HostServicesScope&) = delete;
    HostServicesScope& operator=(const HostServicesScope&) = delete;
};

class WriterSetup {
public:
    explicit WriterSetup(const Arguments& arguments);
    // Saves the simulator's state file, when there is one.
    ~WriterSetup();
    WriterSetup(const WriterSetup&) = delete;
    WriterSetup& operator=(const WriterSetup&) = delete;

    bool simulated() const { return simulated_; }
    bool savesState() const { return savesState_; }
    // Saves the state now; false (with a message) when it cannot be written.
    bool saveState();
    // The exit status of a command that ends here: its own, after the state
    // is saved; a command whose state could not be saved did not pass, and
    // ends with 74 unless it already failed.
    int finish(int status);

private:
    HostServicesScope services_;
    bool simulated_ = false;
    bool savesState_ = false;
    bool saved_ = false;
};

// Checks the writer options without selecting anything (for commands that
// never talk to the writer but accept the global options). A report latency
// above one second is refused.
void checkWriterOptions(const Arguments& arguments);

// A decimal or 0x-prefixed hexadecimal number of at most 32 bits.
std::optional<uint32_t> parseNumber(std::string_view text);
// A hexadecimal number of at most 32 bits, with or without 0x.
std::optional<uint32_t> parseHex(std::string_view text);

} // namespace zephlin::cli
