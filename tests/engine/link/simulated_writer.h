// Test support: a fresh simulated writer selected as the library's writer, and
// host services that record what the library shows and answer its questions.
#pragma once

#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"
#include "link/simulator/writer_simulator.h"
#include "link/writer_connection.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace zephlin::testing {

// Selects a new simulator with these options for the current test.
inline sim::WriterSimulator& selectSimulator(sim::SimulatorOptions options = {}) {
    return useSimulatedWriter(std::make_unique<sim::WriterSimulator>(std::move(options)));
}

inline sim::SimulatorOptions withFault(sim::Fault fault, uint32_t argument = 0) {
    sim::SimulatorOptions options;
    options.faults.add(fault, argument);
    return options;
}

// The chip index of a catalogue part by name.
inline int32_t chipIndexOf(const wchar_t* partName) {
    const auto records = chipCatalogue();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (std::wcscmp(records[i].partName, partName) == 0) {
            return static_cast<int32_t>(i);
        }
    }
    ADD_FAILURE() << "no such part";
    return -1;
}

inline const ChipRecord& part(const wchar_t* partName) {
    return *findChip(chipIndexOf(partName));
}

// Installed for the life of the object; answers every question with `answer`.
class RecordingHost {
public:
    explicit RecordingHost(bool answer = false) : answer_(answer) {
        const ZephlinHostServices services{
            .structSize = sizeof(ZephlinHostServices),
            .userData = this,
            .askYesNo = [](void* self, const wchar_t* question) -> int32_t {
                auto& host = *static_cast<RecordingHost*>(self);
                host.questions.emplace_back(question);
                return host.answer_ ? ZEPHLIN_ANSWER_YES : ZEPHLIN_ANSWER_NO;
            },
            .showMessage =
                [](void* self, const wchar_t* text, int32_t kind) {
                    static_cast<RecordingHost*>(self)->messages.push_back({text, kind});
                },
            .chooseSaveFile = nullptr,
        };
        ZephlinSetHostServices(&services);
    }
    ~RecordingHost() { ZephlinSetHostServices(nullptr); }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    struct Message {
        std::wstring text;
        int32_t kind;
    };
    std::vector<std::wstring> questions;
    std::vector<Message> messages;

private:
    bool answer_;
};

} // namespace zephlin::testing
