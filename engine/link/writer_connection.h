// The library-wide writer connection: the selected HID backend (USB or the
// built-in simulator) and the one writer link on top of it.
#pragma once

#include "link/writer_link.h"

#include <memory>

namespace zephlin {

namespace sim {
class WriterSimulator;
}

// The link every device export uses.
WriterLink& writerLink();

// Selects real USB writers (the choice until a program selects otherwise).
void useUsbWriter();

// Selects a simulated writer and hands back the simulator for inspection.
sim::WriterSimulator& useSimulatedWriter(std::unique_ptr<sim::WriterSimulator> simulator);

// The selected simulator, or nullptr while USB writers are selected.
sim::WriterSimulator* selectedSimulator();

} // namespace zephlin
