// Every fault the simulated writer can inject, crossed with every device
// export: each run must end with the result code its fault calls for, within
// the protocol's time limits on the simulator's clock (3 s per status read,
// about 30 s for the boot-mode search of an update), with the result word
// holding the code and no writer handle left open.
#include "Zephlin_DLL.h"
#include "device_test_support.h"
#include "link/simulator/simulator_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <string>
#include <vector>

namespace zephlin {
namespace {

using sim::Fault;
using testing::DeviceExport;
using testing::kSessionStartReports;
using namespace std::chrono_literals;

enum class Session { WithTarget, WriterOnly };

// The version query frame and its reply: the whole session start of the two
// exports that power no target.
constexpr uint32_t kVersionQueryReports = 2;

struct ExportCase {
    const char* name;
    DeviceExport call;
    Session session;
};

uint16_t readCheckSum(ZephlinContext* context) {
    uint16_t checksum = 0;
    return ReadCheckSum(context, &checksum);
}

const std::vector<ExportCase>& deviceExports() {
    static const std::vector<ExportCase> exports{
        {"CheckID", CheckID, Session::WithTarget},
        {"Erase", Erase, Session::WithTarget},
        {"BlankCheck", BlankCheck, Session::WithTarget},
        {"WholeChipErase", WholeChipErase, Session::WithTarget},
        {"Program", Program, Session::WithTarget},
        {"Verify", Verify, Session::WithTarget},
        {"DumpTarget", DumpTarget, Session::WithTarget},
        {"ReadCheckSum", readCheckSum, Session::WithTarget},
        {"WriteOptions", WriteOptions, Session::WithTarget},
        {"ReadOptions", ReadOptions, Session::WithTarget},
        {"OffLineMode", OffLineMode, Session::WriterOnly},
        {"ReadOffLineModeInfo", ReadOffLineModeInfo, Session::WriterOnly},
    };
    return exports;
}

// What a healthy writer with a fresh chip answers: everything passes, and the
// writer holds no off-line information yet.
std::set<uint16_t> healthy(const ExportCase& exported) {
    return {exported.call == ReadOffLineModeInfo ? uint16_t{ZEPHLIN_RESULT_INFO_EMPTY}
                                                 : uint16_t{ZEPHLIN_RESULT_PASS}};
}

// The code a failed target setup gives, or the healthy outcome for the two
// exports that power no target.
std::set<uint16_t> whenTargetFails(const ExportCase& exported, uint16_t code) {
    return exported.session == Session::WithTarget ? std::set<uint16_t>{code} : healthy(exported);
}

// A fault, the faults it needs to show itself, and the user's answer to an
// update question.
struct Scenario {
    Fault fault;
    uint32_t argument = 0;       // for unplug-after, counted from the end of the session start
    bool updateMismatch = false; // the boot loader's faults only act in an update
    bool answerYes = false;
};

std::set<uint16_t> expectedResults(const Scenario& scenario, const ExportCase& exported) {
    switch (scenario.fault) {
    case Fault::NoWriter:
        return {ZEPHLIN_RESULT_NO_WRITER};
    case Fault::UnopenableInterface:
    case Fault::LateStatus: // the late report still counts
        return healthy(exported);
    case Fault::DropStatus:
    case Fault::WrongTag:
    case Fault::StatusReadError:
        // The target setup is the first status report; the off-line
        // download's status report comes after the image, and the
        // information read has none.
        if (exported.call == OffLineMode) {
            return {ZEPHLIN_RESULT_FAIL};
        }
        return whenTargetFails(exported, ZEPHLIN_RESULT_POWER_ON_FAIL);
    case Fault::ShortFeatureRead: // the version reply cannot be read
        return {ZEPHLIN_RESULT_READ_ERROR};
    case Fault::UnplugAfter: // in the middle of the export's own transfers
        return {ZEPHLIN_RESULT_FAIL, ZEPHLIN_RESULT_SEND_ERROR, ZEPHLIN_RESULT_READ_ERROR,
                ZEPHLIN_RESULT_STATUS_READ_ERROR, ZEPHLIN_RESULT_POWER_ON_FAIL};
    case Fault::PowerOnFailure:
        return whenTargetFails(exported, ZEPHLIN_RESULT_POWER_ON_FAIL);
    case Fault::NoResponse:
        return whenTargetFails(exported, ZEPHLIN_RESULT_NO_RESPONSE);
    case Fault::IdMismatch:
        return whenTargetFails(exported, ZEPHLIN_RESULT_ID_MISMATCH);
    case Fault::Locked:
        // A whole-chip erase unlocks the chip, and the chip checksum is read
        // from a locked chip.
        if (exported.call == WholeChipErase || exported.call == readCheckSum) {
            return {ZEPHLIN_RESULT_PASS};
        }
        return whenTargetFails(exported, ZEPHLIN_RESULT_TARGET_LOCKED);
    case Fault::FirmwareMismatch:
    case Fault::SubMcuMismatch:
    case Fault::CoreMismatch:
        // Declined updates end every export; accepted ones put things right.
        return scenario.answerYes ? healthy(exported)
                                  : std::set<uint16_t>{ZEPHLIN_RESULT_UPDATE_DECLINED};
    case Fault::SwappedBootChecksum:
    case Fault::NoBootMode:
        return {ZEPHLIN_RESULT_UPDATE_FAILED};
    }
    return {};
}

std::vector<Scenario> scenarios() {
    std::vector<Scenario> all;
    for (const sim::FaultInfo& info : sim::faultTable()) {
        Scenario scenario{info.fault};
        switch (info.fault) {
        case Fault::UnplugAfter:
            scenario.argument = 1; // reports after the session start, see sessionReports
            break;
        case Fault::SwappedBootChecksum:
        case Fault::NoBootMode:
            scenario.updateMismatch = true;
            scenario.answerYes = true;
            break;
        case Fault::FirmwareMismatch:
        case Fault::SubMcuMismatch:
        case Fault::CoreMismatch: {
            all.push_back(scenario);
            scenario.answerYes = true;
            break;
        }
        default:
            break;
        }
        all.push_back(scenario);
    }
    return all;
}

std::string scenarioName(const Scenario& scenario) {
    std::string name;
    for (const sim::FaultInfo& info : sim::faultTable()) {
        if (info.fault == scenario.fault) {
            name = info.name;
        }
    }
    std::replace(name.begin(), name.end(), '-', '_');
    return name + (scenario.answerYes ? "_Yes" : "");
}

class FaultMatrix : public testing::DeviceTest,
                    public ::testing::WithParamInterface<std::tuple<Scenario, ExportCase>> {};

TEST_P(FaultMatrix, EndsWithItsResultInTimeAndClosesTheWriter) {
    const auto& [scenario, exported] = GetParam();
    sim::SimulatorOptions options;
    const uint32_t sessionReports =
        exported.session == Session::WithTarget ? kSessionStartReports : kVersionQueryReports;
    options.faults.add(scenario.fault, scenario.fault == Fault::UnplugAfter
                                           ? sessionReports + scenario.argument
                                           : scenario.argument);
    if (scenario.updateMismatch) {
        options.faults.add(Fault::FirmwareMismatch);
    }
    sim::WriterSimulator& writer = start(std::move(options));
    const testing::RecordingHost host(scenario.answerYes);

    const ChipRecord& chip = testing::part(L"Nerel A1(3V)");
    record(L"Nerel A1(3V)");
    // An erased image, so that Verify passes on the fresh chip of a healthy
    // writer; a dump gets buffers as large as the areas.
    std::vector<uint8_t> image(chip.mainAreaSize, chip.erasedValue);
    setCode(image);

    const auto startedAt = writer.now();
    const uint16_t code = call(exported.call);

    const std::set<uint16_t> expected = expectedResults(scenario, exported);
    EXPECT_TRUE(expected.contains(code)) << exported.name << " returned " << code;

    // Every status read waits at most 3 s; the fixed pauses add at most the
    // off-line download's 2 s and, in an update, the boot-mode search (30
    // attempts a second apart), the boot loader's erase and the restarts.
    const sim::ReportCounts& counts = writer.counts();
    const auto statusReads = counts.inputReports + counts.inputTimeouts;
    auto limit =
        std::chrono::duration_cast<std::chrono::microseconds>(statusReads * kStatusTimeLimit + 2s);
    if (scenario.answerYes) {
        limit += 40s;
    }
    EXPECT_LE(writer.now() - startedAt, limit) << exported.name << " took too long";
}

INSTANTIATE_TEST_SUITE_P(EveryFaultAndExport, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(scenarios()),
                                            ::testing::ValuesIn(deviceExports())),
                         [](const auto& info) {
                             return scenarioName(std::get<0>(info.param)) + "_" +
                                    std::get<1>(info.param).name;
                         });

} // namespace
} // namespace zephlin
