// The host-integration functions of the public header, called as a program
// calls them.
#include "Zephlin_DLL.h"

#include "link/host_services.h"
#include "link/simulator/writer_simulator.h"
#include "link/writer_connection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <span>
#include <stdexcept>
#include <string>

namespace zephlin {
namespace {

TEST(HostServices, WithoutAProgramEveryQuestionIsNoAndEveryDialogCancelled) {
    ZephlinSetHostServices(nullptr);
    EXPECT_FALSE(host::askYesNo(L"Unmatched FW version, Do you want to update ?"));
    EXPECT_FALSE(
        host::chooseSaveFile({L"veltrix Project File (*.kdx)", L"*.kdx", L"kdx", L"", true})
            .has_value());
    host::showMessage(L"nobody sees this", host::MessageKind::Plain);
}

struct Script {
    std::wstring question;
    std::wstring filter, pattern, extension, folder;
    int32_t confirm = -1;
    std::wstring answerPath = L"/projects/board.kdx";
    bool terminate = true;
};

ZephlinHostServices scripted(Script& script) {
    return ZephlinHostServices{
        .structSize = sizeof(ZephlinHostServices),
        .userData = &script,
        .askYesNo = [](void* self, const wchar_t* question) -> int32_t {
            static_cast<Script*>(self)->question = question;
            return ZEPHLIN_ANSWER_YES;
        },
        .showMessage = nullptr,
        .chooseSaveFile = [](void* self, const ZephlinSaveFileRequest* request, wchar_t* path,
                             size_t capacity) -> int32_t {
            Script& s = *static_cast<Script*>(self);
            s.filter = request->filterText;
            s.pattern = request->pattern;
            s.extension = request->defaultExtension;
            s.folder = request->startFolder;
            s.confirm = request->confirmOverwrite;
            if (!s.terminate) {
                std::fill_n(path, capacity, L'x'); // claims a path, fills the buffer
                return 1;
            }
            if (s.answerPath.size() + 1 > capacity) {
                return 0;
            }
            std::copy(s.answerPath.begin(), s.answerPath.end(), path);
            path[s.answerPath.size()] = L'\0';
            return 1;
        },
    };
}

TEST(HostServices, InstalledServicesAnswerAndChoose) {
    Script script;
    const ZephlinHostServices services = scripted(script);
    ZephlinSetHostServices(&services);
    EXPECT_TRUE(host::askYesNo(L"FW is not support CM0, Do you want to update ?"));
    EXPECT_EQ(script.question, L"FW is not support CM0, Do you want to update ?");

    const auto path = host::chooseSaveFile(
        {L"veltrix Project File (*.kdx)", L"*.kdx", L"kdx", L"/projects/", true});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, L"/projects/board.kdx");
    EXPECT_EQ(script.filter, L"veltrix Project File (*.kdx)");
    EXPECT_EQ(script.pattern, L"*.kdx");
    EXPECT_EQ(script.extension, L"kdx");
    EXPECT_EQ(script.folder, L"/projects/");
    EXPECT_EQ(script.confirm, 1);
    ZephlinSetHostServices(nullptr);
}

TEST(HostServices, AnUnterminatedPathCountsAsCancelled) {
    Script script;
    script.terminate = false;
    const ZephlinHostServices services = scripted(script);
    ZephlinSetHostServices(&services);
    EXPECT_FALSE(host::chooseSaveFile({}).has_value());
    ZephlinSetHostServices(nullptr);
}

TEST(HostServices, AStructTooSmallIsRefusedAndTheInstalledServicesStay) {
    Script script;
    ZephlinHostServices services = scripted(script);
    ASSERT_EQ(ZephlinSetHostServices(&services), 1);

    ZephlinHostServices unsized = services;
    unsized.structSize = 0;
    unsized.askYesNo = [](void*, const wchar_t*) -> int32_t { return ZEPHLIN_ANSWER_NO; };
    EXPECT_EQ(ZephlinSetHostServices(&unsized), 0);
    EXPECT_TRUE(host::askYesNo(L"still the scripted services?"));

    // A caller built against a newer, larger struct is read as far as the
    // library knows it.
    services.structSize = sizeof(ZephlinHostServices) + 16;
    EXPECT_EQ(ZephlinSetHostServices(&services), 1);
    EXPECT_TRUE(host::askYesNo(L"a newer caller"));
    EXPECT_EQ(ZephlinSetHostServices(nullptr), 1);
    EXPECT_FALSE(host::askYesNo(L"the defaults again"));
}

// The child re-runs this test binary from its start, so it sees the library as
// a program sees it before choosing anything.
TEST(WriterSelectionDeathTest, AFreshLibraryUsesUsbWriters) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(ZephlinSelectedWriter() == ZEPHLIN_WRITER_USB ? 0 : 1),
                ::testing::ExitedWithCode(0), "");
}

TEST(WriterSelection, SwitchesOnRequest) {
    EXPECT_EQ(ZephlinUseUsbWriter(), 1) << "says that it worked";
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_USB);
    EXPECT_EQ(ZephlinSimulatorProduce(1), -1);
    char error[128] = "";
    EXPECT_EQ(ZephlinSaveSimulatorState(error, sizeof error), 0);
    EXPECT_STREQ(error, "the simulated writer is not selected");

    const char* faults[] = {"unplug-after=500", "late-status"};
    const ZephlinSimulatorOptions options{
        sizeof(ZephlinSimulatorOptions), nullptr, faults, 2, 0, 0, 0};
    ASSERT_EQ(ZephlinUseSimulatedWriter(&options, error, sizeof error), 1) << error;
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_SIMULATOR);
    ASSERT_NE(selectedSimulator(), nullptr);
    EXPECT_EQ(selectedSimulator()->faults().argument(sim::Fault::UnplugAfter), 500u);
    EXPECT_EQ(ZephlinSimulatorProduce(5), 0) << "nothing stored to produce from";
    EXPECT_EQ(ZephlinSaveSimulatorState(error, sizeof error), 0) << "no state file";

    ZephlinUseUsbWriter();
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_USB);
}

TEST(WriterSelection, RefusesInvalidOptionsAndKeepsTheSelection) {
    ZephlinUseUsbWriter();
    char error[32] = "";
    const char* unknown[] = {"melted-writer"};
    const ZephlinSimulatorOptions bad{
        sizeof(ZephlinSimulatorOptions), nullptr, unknown, 1, 0, 0, 0};
    EXPECT_EQ(ZephlinUseSimulatedWriter(&bad, error, sizeof error), 0);
    // "unknown simulator fault: melted-writer", cut to the 32-byte buffer.
    EXPECT_STREQ(error, "unknown simulator fault: melted");
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_USB);

    const ZephlinSimulatorOptions noPart{
        sizeof(ZephlinSimulatorOptions), nullptr, nullptr, 0, 0, 1, 36};
    EXPECT_EQ(ZephlinUseSimulatedWriter(&noPart, nullptr, 0), 0);
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_USB);

    // A second per report is the most: 2^32-1 us would make a Check ID take hours.
    char reason[128] = "";
    const ZephlinSimulatorOptions slowest{
        sizeof(ZephlinSimulatorOptions), nullptr, nullptr, 0, 1'000'000, 0, 0};
    EXPECT_EQ(ZephlinUseSimulatedWriter(&slowest, reason, sizeof reason), 1) << reason;
    ZephlinUseUsbWriter();
    const ZephlinSimulatorOptions tooSlow{
        sizeof(ZephlinSimulatorOptions), nullptr, nullptr, 0, 1'000'001, 0, 0};
    EXPECT_EQ(ZephlinUseSimulatedWriter(&tooSlow, reason, sizeof reason), 0);
    EXPECT_NE(std::strstr(reason, "above one second"), nullptr) << reason;
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_USB);
}

// An exception inside an export fails it, and its reason reaches the user
// through the host's message service instead of being lost.
TEST(HostServices, AnExportStoppedByAnExceptionSaysWhy) {
    std::wstring shown;
    const ZephlinHostServices services{
        .structSize = sizeof(ZephlinHostServices),
        .userData = &shown,
        .askYesNo = nullptr,
        .showMessage = [](void* self, const wchar_t* text,
                          int32_t) { *static_cast<std::wstring*>(self) += text; },
        .chooseSaveFile = nullptr,
    };
    ZephlinSetHostServices(&services);
    sim::WriterSimulator& writer = useSimulatedWriter(std::make_unique<sim::WriterSimulator>());
    writer.rewriteReplies([](sim::ReportKind, std::span<uint8_t>) -> void {
        throw std::runtime_error("the writer's reply broke");
    });
    uint16_t word = 0;
    ZephlinContext context{};
    context.result = &word;
    EXPECT_EQ(CheckID(&context), ZEPHLIN_RESULT_FAIL);
    EXPECT_EQ(word, ZEPHLIN_RESULT_FAIL);
    EXPECT_NE(shown.find(L"the writer's reply broke"), std::wstring::npos)
        << std::string(shown.begin(), shown.end());
    EXPECT_FALSE(writerLink().isOpen()) << "the link is closed all the same";
    ZephlinSetHostServices(nullptr);
    ZephlinUseUsbWriter();
}

TEST(WriterSelection, RefusesOptionsWithoutTheirSize) {
    ZephlinUseUsbWriter();
    const ZephlinSimulatorOptions zeroed{};
    char error[128] = "";
    EXPECT_EQ(ZephlinUseSimulatedWriter(&zeroed, error, sizeof error), 0);
    EXPECT_NE(std::string(error).find("too small (structSize 0"), std::string::npos) << error;
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_USB);

    // The first release ends with fixedChipIndex, before any tail padding.
    ZephlinSimulatorOptions firstRelease{};
    firstRelease.structSize = offsetof(ZephlinSimulatorOptions, fixedChipIndex) + sizeof(int32_t);
    ASSERT_EQ(ZephlinUseSimulatedWriter(&firstRelease, error, sizeof error), 1) << error;
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_SIMULATOR);
    ZephlinUseUsbWriter();
}

TEST(WriterSelection, CreatesAndSavesTheStateFile) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("zephlin-selection-" + std::to_string(::getpid()) + ".state");
    std::filesystem::remove(path);
    const std::string name = path.string();
    const ZephlinSimulatorOptions options{
        sizeof(ZephlinSimulatorOptions), name.c_str(), nullptr, 0, 0, 1, 3};
    char error[256] = "";
    ASSERT_EQ(ZephlinUseSimulatedWriter(&options, error, sizeof error), 1) << error;
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(ZephlinSaveSimulatorState(error, sizeof error), 1) << error;
    std::filesystem::remove(path);
}

TEST(WriterSelection, ListsTheFaults) {
    const ZephlinSimulatorFault* faults = nullptr;
    const int32_t count = ZephlinGetSimulatorFaults(&faults);
    ASSERT_EQ(count, 17);
    std::set<std::string> withNumber;
    for (int32_t i = 0; i < count; ++i) {
        EXPECT_NE(faults[i].description, nullptr);
        if (faults[i].argument != nullptr) {
            withNumber.insert(faults[i].name);
        }
    }
    EXPECT_EQ(withNumber, (std::set<std::string>{"unplug-after"}));
}

} // namespace
} // namespace zephlin
