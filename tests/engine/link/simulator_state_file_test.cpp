#include "link/simulator/simulator_state_file.h"

#include "link/exchanges.h"
#include "operations/target_setup_frame.h"
#include "simulated_writer.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Saves the simulator's state with the file size limited to 4 KB, so that
// the write fails half-way as on a full disk; runs in a child process.
[[noreturn]] void saveUnderFileSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    std::exit(selectedSimulator()->saveState(error) ? 1 : 0);
}

TEST_F(StateFileTest, AFailedSaveKeepsThePreviousFile) {
    // The child must save this simulator to this file: forked, not run anew.
    GTEST_FLAG_SET(death_test_style, "fast");
    sim::WriterSimulator& writer = open();
    std::string error;
    ASSERT_TRUE(writer.saveState(error));
    const auto before = std::filesystem::file_size(path_);
    writer.state().chip = sim::SimulatedChip::fresh(0); // a 32 KB main area to write
    EXPECT_EXIT(saveUnderFileSizeLimit(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(std::filesystem::file_size(path_), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left";
}

TEST_F(StateFileTest, RefusesAnythingButARegularFile) {
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    sim::SimulatorOptions options;
    options.stateFile = path_;
    std::string error;
    EXPECT_EQ(sim::WriterSimulator::create(options, error), nullptr) << "no hang on a FIFO";
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    options.stateFile = folder_;
    EXPECT_EQ(sim::WriterSimulator::create(options, error), nullptr);
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

TEST_F(StateFileTest, ALinkKeepsPointingAtTheStateItSaves) {
    const std::filesystem::path target = folder_ / "real.state";
    std::filesystem::create_symlink("real.state", path_);
    std::string error;
    ASSERT_TRUE(open().saveState(error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_TRUE(std::filesystem::is_regular_file(target));
}

// Within one program a second simulator of the same file shares the first
// one's hold instead of waiting for itself.
TEST_F(StateFileTest, OneProgramSharesItsHold) {
    open();
    sim::SimulatorOptions options;
    options.stateFile = folder_ / "." / "writer.state";
    std::string error;
    EXPECT_NE(sim::WriterSimulator::create(options, error), nullptr) << error;
}

// Host services that note, for another thread, that the library announced a
// wait.
class WaitWatcher {
public:
    WaitWatcher() {
        const ZephlinHostServices services{
            .structSize = sizeof(ZephlinHostServices),
            .userData = this,
            .askYesNo = nullptr,
            .showMessage =
                [](void* self, const wchar_t* text, int32_t) {
                    auto& watcher = *static_cast<WaitWatcher*>(self);
                    watcher.text = text;
                    watcher.announced = true;
                },
            .chooseSaveFile = nullptr,
        };
        ZephlinSetHostServices(&services);
    }
    ~WaitWatcher() { ZephlinSetHostServices(nullptr); }
    WaitWatcher(const WaitWatcher&) = delete;
    WaitWatcher& operator=(const WaitWatcher&) = delete;

    std::wstring text; // written before announced is set
    std::atomic<bool> announced{false};
};

// Another program holds the file: this one says so, waits, and then reads
// what the other one saved.
TEST_F(StateFileTest, ASecondProgramWaitsForTheFirstAndSeesItsWork) {
    int held[2];
    int release[2];
    ASSERT_EQ(::pipe(held), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        sim::SimulatorOptions options;
        options.stateFile = path_;
        std::string error;
        auto simulator = sim::WriterSimulator::create(options, error);
        char signal = simulator ? 'y' : 'n';
        (void)!::write(held[1], &signal, 1);
        (void)!::read(release[0], &signal, 1);
        if (!simulator) {
            ::_exit(2);
        }
        simulator->state().offline.currentCounter = 77;
        ::_exit(simulator->saveState(error) ? 0 : 1);
    }
    char signal = 0;
    ASSERT_EQ(::read(held[0], &signal, 1), 1);
    ASSERT_EQ(signal, 'y');

    WaitWatcher watcher;
    std::unique_ptr<sim::WriterSimulator> waited;
    std::thread second([&] {
        sim::SimulatorOptions options;
        options.stateFile = path_;
        std::string error;
        waited = sim::WriterSimulator::create(options, error);
    });
    // A guard against a wait that is never announced, not a measure of speed.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!watcher.announced && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const bool announced = watcher.announced;
    EXPECT_TRUE(announced) << "the wait is announced";
    if (announced) {
        EXPECT_NE(watcher.text.find(L"in use by another program"), std::wstring::npos);
    }
    EXPECT_EQ(::write(release[1], "go", 1), 1);
    second.join();
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_NE(waited, nullptr);
    EXPECT_EQ(waited->state().offline.currentCounter, 77) << "the other program's save is kept";
    for (const int fd : {held[0], held[1], release[0], release[1]}) {
        ::close(fd);
    }
}

} // namespace
} // namespace zephlin
