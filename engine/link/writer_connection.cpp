#include "link/writer_connection.h"

#include "link/simulator/simulator_backend.h"
#include "link/usb_backend.h"

namespace zephlin {
namespace {

struct Connection {
    // The link is declared last so that it releases its device before the
    // backend that made it goes away.
    std::unique_ptr<HidBackend> backend = makeUsbBackend();
    sim::SimulatorBackend* simulator = nullptr;
    WriterLink link{*backend};

    void replace(std::unique_ptr<HidBackend> next, sim::SimulatorBackend* nextSimulator) {
        link.close();
        link.useBackend(*next);
        backend = std::move(next);
        simulator = nextSimulator;
    }
};

Connection& connection() {
    static Connection instance;
    return instance;
}

} // namespace

WriterLink& writerLink() {
    return connection().link;
}

void useUsbWriter() {
    connection().replace(makeUsbBackend(), nullptr);
}

sim::WriterSimulator& useSimulatedWriter(std::unique_ptr<sim::WriterSimulator> simulator) {
    auto backend = std::make_unique<sim::SimulatorBackend>(std::move(simulator));
    sim::SimulatorBackend* raw = backend.get();
    connection().replace(std::move(backend), raw);
    return raw->simulator();
}

sim::WriterSimulator* selectedSimulator() {
    sim::SimulatorBackend* backend = connection().simulator;
    return backend != nullptr ? &backend->simulator() : nullptr;
}

} // namespace zephlin
