// The writer the program talks to, chosen on its command line: the USB writer
// by default, or the library's writer simulator with "--writer=sim" (and
// "--sim-state FILE" to keep its chip across runs). A simulated writer is
// always named in the caption so no operator mistakes it for a real box.
// "--engineer" shows the Engineer button, which opens the register sheets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zephlin {

struct WriterChoice {
    bool simulated = false;
    std::string stateFile; // empty: the simulator keeps its state in memory
};

struct WriterChoiceParse {
    WriterChoice choice;
    bool engineerMode = false; // "--engineer"
    std::string error;         // empty when the arguments were understood
};

// The arguments after the program name.
WriterChoiceParse parseWriterChoice(const std::vector<std::string>& arguments);

// Selects the chosen writer in the library; false with the reason when it
// cannot be selected (for example a simulator with an unreadable state file).
bool applyWriterChoice(const WriterChoice& choice, std::string& error);

// What the caption carries after the name and version while the library
// talks to its simulator: " [simulated writer]"; empty for the USB writer.
std::wstring_view writerCaptionSuffix();

inline constexpr std::string_view kWriterUsage =
    "usage: Zephlin_AP [--writer=usb | --writer=sim [--sim-state FILE]] [--engineer]\n";

} // namespace zephlin
