#include "link/simulator/simulator_state_file.h"

#include "link/exchanges.h"
#include "operations/target_setup_frame.h"
#include "simulated_writer.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zephlin {
namespace {

using testing::part;

class StateFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zephlin-sim-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        path_ = folder_ / "writer.state";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    sim::WriterSimulator& open() {
        sim::SimulatorOptions options;
        options.stateFile = path_;
        std::string error;
        auto simulator = sim::WriterSimulator::create(options, error);
        EXPECT_NE(simulator, nullptr) << error;
        sim::WriterSimulator& writer = useSimulatedWriter(std::move(simulator));
        EXPECT_TRUE(writerLink().open(kWriterProductId));
        return writer;
    }

    std::filesystem::path folder_;
    std::filesystem::path path_;
};

TEST_F(StateFileTest, IsCreatedWhenMissing) {
    ASSERT_FALSE(std::filesystem::exists(path_));
    open();
    EXPECT_TRUE(std::filesystem::exists(path_));
}

TEST_F(StateFileTest, OneRunProgramsAndTheNextVerifies) {
    {
        sim::WriterSimulator& writer = open();
        ASSERT_EQ(commandExchange(targetSetupFrame(part(L"Nerel B4(3V)"), false, FrameTag::fresh()))
                      .statusWord,
                  0);
        const std::vector<uint8_t> code(1000, 0x12);
        const std::vector<uint8_t> data(200, 0x34);
        ASSERT_EQ(writeExchange(commandFrame(command::kWriteMainArea, FrameTag::fresh(), 0, 1000,
                                             checksum16(code)),
                                code)
                      .statusWord,
                  0);
        ASSERT_EQ(writeExchange(commandFrame(command::kWriteSecondArea, FrameTag::fresh(), 0, 200,
                                             checksum16(data)),
                                data)
                      .statusWord,
                  0);
        writer.state().chip->optionWords[1] = 0x12345678;
        writer.state().firmware = {0x80080000, 3};
        writer.state().offline.storeImage(code);
        writer.state().offline.currentCounter = 9;
        std::string error;
        ASSERT_TRUE(writer.saveState(error)) << error;
    }
    sim::WriterSimulator& next = open();
    ASSERT_TRUE(next.state().chip.has_value());
    const sim::SimulatedChip& chip = *next.state().chip;
    EXPECT_EQ(chip.chipIndex, testing::chipIndexOf(L"Nerel B4(3V)"));
    EXPECT_EQ(chip.mainArea[999], 0x12);
    EXPECT_EQ(chip.mainArea[1000], 0xFF);
    EXPECT_EQ(chip.secondArea[199], 0x34);
    EXPECT_EQ(chip.optionWords[1], 0x12345678u);
    EXPECT_EQ(next.state().firmware, (sim::InstalledFirmware{0x80080000, 3}));
    EXPECT_EQ(next.state().offline.image.size(), 1000u);
    EXPECT_EQ(next.state().offline.currentCounter, 9);
}

TEST_F(StateFileTest, RefusesADamagedFile) {
    open();
    std::string error;
    ASSERT_TRUE(selectedSimulator()->saveState(error));
    const auto size = std::filesystem::file_size(path_);

    std::filesystem::resize_file(path_, size - 1);
    EXPECT_FALSE(sim::readStateFile(path_, error).has_value());
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;

    std::ofstream(path_, std::ios::trunc) << "not a state file";
    sim::SimulatorOptions options;
    options.stateFile = path_;
    EXPECT_EQ(sim::WriterSimulator::create(options, error), nullptr);
    EXPECT_NE(error.find("not a writer simulator state file"), std::string::npos) << error;
}

TEST_F(StateFileTest, RefusesAChipThatDoesNotFitItsPart) {
    sim::WriterState state;
    state.chip = sim::SimulatedChip::fresh(0);
    state.chip->mainArea.resize(10);
    std::string error;
    ASSERT_TRUE(sim::writeStateFile(path_, state, error));
    EXPECT_FALSE(sim::readStateFile(path_, error).has_value());
    EXPECT_NE(error.find("does not fit"), std::string::npos) << error;
}

TEST_F(StateFileTest, AFailedSaveKeepsThePreviousFile) {
    open();
    std::string error;
    ASSERT_TRUE(selectedSimulator()->saveState(error));
    const auto before = std::filesystem::file_size(path_);
    std::filesystem::create_directory(std::filesystem::path(path_) += ".new");
    EXPECT_FALSE(selectedSimulator()->saveState(error));
    EXPECT_EQ(std::filesystem::file_size(path_), before);
}

} // namespace
} // namespace zephlin
