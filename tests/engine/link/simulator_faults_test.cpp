// Faults of the simulated writer that the other link tests do not already
// provoke, each with what the library sees. (No writer, the unopenable
// interface, short feature reads, unplugging and the two status-read faults:
// writer_link_test.cpp; dropped status and wrong tags: exchanges_test.cpp;
// the boot loader's faults: firmware_installers_test.cpp.)
#include "link/simulator/simulator_faults.h"

#include "link/exchanges.h"
#include "link/target_session.h"
#include "link/writer_firmware.h"
#include "operations/target_setup_frame.h"
#include "simulated_writer.h"
#include "support/byte_order.h"

#include <gtest/gtest.h>

#include <set>

namespace zephlin {
namespace {

using sim::Fault;
using testing::part;
using testing::selectSimulator;
using testing::withFault;

uint16_t setUpTarget(const wchar_t* partName = L"Nerel A1(3V)") {
    EXPECT_TRUE(writerLink().open(kWriterProductId));
    const StatusExchange exchange =
        commandExchange(targetSetupFrame(part(partName), false, FrameTag::fresh()));
    EXPECT_TRUE(exchange.hasStatus());
    return exchange.statusWord;
}

std::vector<uint8_t> versionReply() {
    EXPECT_TRUE(writerLink().open(kWriterProductId));
    return queryExchange(queryFrame(command::kReadWriterVersion, FrameTag::fresh(), 8), 8).reply;
}

TEST(SimulatorFaults, PowerOnFailure) {
    selectSimulator(withFault(Fault::PowerOnFailure));
    EXPECT_EQ(setUpTarget(), 2);
}

TEST(SimulatorFaults, NoResponseSilencesSetupAndEndOfTarget) {
    selectSimulator(withFault(Fault::NoResponse));
    EXPECT_EQ(setUpTarget(), 3);
    EXPECT_EQ(endOfTarget(), link_code::kNoResponse);
}

TEST(SimulatorFaults, IdMismatch) {
    selectSimulator(withFault(Fault::IdMismatch));
    EXPECT_EQ(setUpTarget(), 5);
}

TEST(SimulatorFaults, LockedUntilAWholeChipErase) {
    sim::WriterSimulator& writer = selectSimulator(withFault(Fault::Locked));
    EXPECT_EQ(setUpTarget(L"Nerel C1(3V)"), 6);
    EXPECT_TRUE(writer.targetPowered()) << "powered, so that a whole-chip erase can run";
    EXPECT_EQ(commandExchange(commandFrame(command::kEraseWholeChip, FrameTag::fresh())).statusWord,
              0);
    EXPECT_EQ(endOfTarget(), link_code::kDone);
    EXPECT_EQ(setUpTarget(L"Nerel C1(3V)"), 0);
}

TEST(SimulatorFaults, FirmwareMismatchReportsAnOlderVersionOfTheSameCore) {
    selectSimulator(withFault(Fault::FirmwareMismatch));
    const auto reply = versionReply();
    EXPECT_EQ(reply[7], 1);
    EXPECT_NE(loadLe32(reply, 0), writerFirmwareForCore(1)->version);
    EXPECT_EQ(loadLe16(reply, 4), kExpectedSubMcuVersion);
}

TEST(SimulatorFaults, CoreMismatchRunsTheCortexM3Firmware) {
    selectSimulator(withFault(Fault::CoreMismatch));
    const auto reply = versionReply();
    EXPECT_EQ(reply[7], 3);
    EXPECT_EQ(loadLe32(reply, 0), writerFirmwareForCore(3)->version);
}

TEST(SimulatorFaults, SubMcuMismatchLeavesTheMainFirmwareAlone) {
    selectSimulator(withFault(Fault::SubMcuMismatch));
    const auto reply = versionReply();
    EXPECT_EQ(loadLe16(reply, 4), 0x0103);
    EXPECT_EQ(loadLe32(reply, 0), writerFirmwareForCore(1)->version);
}

TEST(SimulatorFaults, ParsesNamesAndNumbers) {
    sim::FaultSet faults;
    std::string error;
    EXPECT_TRUE(faults.add("unplug-after=120", error));
    EXPECT_EQ(faults.argument(Fault::UnplugAfter), 120u);
    EXPECT_TRUE(faults.add("locked", error));
    EXPECT_TRUE(faults.has(Fault::Locked));

    EXPECT_FALSE(faults.add("unplug-after", error));
    EXPECT_EQ(error, "fault unplug-after needs a number: unplug-after=REPORTS");
    EXPECT_FALSE(faults.add("unplug-after=12x", error));
    EXPECT_FALSE(faults.add("locked=1", error));
    EXPECT_FALSE(faults.add("melted", error));
    EXPECT_EQ(error, "unknown simulator fault: melted");

    std::set<std::string> names;
    for (const sim::FaultInfo& info : sim::faultTable()) {
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
    }
    EXPECT_EQ(names.size(), 17u);
}

} // namespace
} // namespace zephlin
