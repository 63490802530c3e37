#include "Zephlin_DLL.h"

#include "project_test_support.h"
#include "support/checksum16.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cwchar>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zephlin {
namespace {

using testing::contextFor;
using testing::patternImage;
using testing::TemporaryFolder;

// Installed for the life of the object: a save dialog that answers with a
// fixed path (or cancels when it is empty) and records what it was asked.
class SaveDialogHost {
public:
    explicit SaveDialogHost(std::wstring answer) : answer_(std::move(answer)) {
        const ZephlinHostServices services{
            .structSize = sizeof(ZephlinHostServices),
            .userData = this,
            .askYesNo = nullptr,
            .showMessage = nullptr,
            .chooseSaveFile = [](void* self, const ZephlinSaveFileRequest* request, wchar_t* path,
                                 size_t capacity) -> int32_t {
                auto& host = *static_cast<SaveDialogHost*>(self);
                host.asked.push_back({request->filterText, request->pattern,
                                      request->defaultExtension, request->startFolder,
                                      request->confirmOverwrite});
                if (host.answer_.empty() || host.answer_.size() >= capacity) {
                    return 0;
                }
                std::wcscpy(path, host.answer_.c_str());
                return 1;
            },
        };
        ZephlinSetHostServices(&services);
    }
    ~SaveDialogHost() { ZephlinSetHostServices(nullptr); }
    SaveDialogHost(const SaveDialogHost&) = delete;
    SaveDialogHost& operator=(const SaveDialogHost&) = delete;

    struct Request {
        std::wstring filter, pattern, extension, folder;
        int32_t confirmOverwrite;
    };
    std::vector<Request> asked;

private:
    std::wstring answer_;
};

// A record as the Save KDX command prepares it, with the images it owns.
struct Saving : testing::ContextWithImages {
    uint16_t result = 0xFFFF;

    Saving(int32_t chipIndex, std::size_t codeSize, std::size_t dataSize)
        : ContextWithImages(chipIndex, codeSize, dataSize) {
        context->stepFlags = ZEPHLIN_STEP_IN_SEQUENCE | ZEPHLIN_STEP_DEFAULT;
        std::wcscpy(context->codeFileName, L"firmware.hex");
        std::wcscpy(context->ispCodeName, L"Default ISP");
        context->result = &result;
    }
    uint16_t save() {
        const uint16_t code = SaveKDX(context.get());
        EXPECT_EQ(code, result);
        return code;
    }
};

struct Loaded {
    std::unique_ptr<ZephlinContext> context = contextFor(-1);
    std::vector<uint8_t> code;
    std::vector<uint8_t> data;
    uint16_t result = 0;
};

Loaded loadProject(const std::wstring& path) {
    Loaded loaded;
    std::wcsncpy(loaded.context->projectFile, path.c_str(), ZEPHLIN_PATH_CAPACITY - 1);
    loaded.context->result = &loaded.result;
    EXPECT_EQ(LoadKDXFooter(loaded.context.get()), ZEPHLIN_RESULT_PASS);
    loaded.code.resize(loaded.context->codeSize);
    loaded.data.resize(loaded.context->dataSize);
    loaded.context->codeImage = loaded.code.data();
    loaded.context->dataImage = loaded.data.data();
    EXPECT_EQ(LoadKDXBuffer(loaded.context.get()), ZEPHLIN_RESULT_PASS);
    return loaded;
}

TEST(SaveProjectExport, AsksForAProjectNameInTheProjectFolder) {
    TemporaryFolder folder;
    const SaveDialogHost host(folder.widePath("first.kdx"));
    Saving saving(0, 0x100, 0);
    std::wcscpy(saving.context->projectFolder, L"/somewhere/projects/");
    ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].filter, L"veltrix Project File (*.kdx)");
    EXPECT_EQ(host.asked[0].pattern, L"*.kdx");
    EXPECT_EQ(host.asked[0].extension, L"kdx");
    EXPECT_EQ(host.asked[0].folder, L"/somewhere/projects/");
    EXPECT_EQ(host.asked[0].confirmOverwrite, 1);
    EXPECT_EQ(std::wstring(saving.context->projectFolder), folder.widePath(""));
    EXPECT_STREQ(saving.context->projectFile, L"first.kdx");
    EXPECT_EQ(saving.context->bufferChecksum, checksum16(saving.code));
    EXPECT_EQ(saving.context->customerId, 5);
    EXPECT_EQ(folder.entries(), 1u); // no temporary file left behind
}

TEST(SaveProjectExport, CancelledOrMissingDialogSavesNothing) {
    Saving withoutHost(0, 0x100, 0);
    EXPECT_EQ(withoutHost.save(), ZEPHLIN_RESULT_CANCELLED);
    const SaveDialogHost host(L"");
    Saving cancelled(0, 0x100, 0);
    EXPECT_EQ(cancelled.save(), ZEPHLIN_RESULT_CANCELLED);
    EXPECT_STREQ(cancelled.context->projectFile, L"");
}

TEST(SaveProjectExport, RecordThatCannotMakeAProjectFailsBeforeTheDialog) {
    const SaveDialogHost host(L"/tmp/never.kdx");
    Saving unknownPart(-1, 0x100, 0);
    EXPECT_EQ(unknownPart.save(), ZEPHLIN_RESULT_FAIL);
    Saving noImage(0, 0x100, 0);
    noImage.context->codeImage = nullptr;
    EXPECT_EQ(noImage.save(), ZEPHLIN_RESULT_FAIL);
    EXPECT_TRUE(host.asked.empty());
    EXPECT_EQ(SaveKDX(nullptr), ZEPHLIN_RESULT_OPEN_FILE_ERROR);
}

TEST(SaveProjectExport, FolderThatCannotTakeTheFileIsAnOpenError) {
    TemporaryFolder folder;
    const SaveDialogHost host(folder.widePath("missing/p.kdx"));
    Saving saving(0, 0x100, 0);
    EXPECT_EQ(saving.save(), ZEPHLIN_RESULT_OPEN_FILE_ERROR);
    EXPECT_EQ(std::wstring(saving.context->projectFolder), folder.widePath("missing/"));
}

TEST(SaveProjectExport, ReplacingAProjectKeepsItsPermissions) {
    TemporaryFolder folder;
    folder.write("p.kdx", std::string("old"));
    ::chmod(folder.file("p.kdx").c_str(), 0640);
    const SaveDialogHost host(folder.widePath("p.kdx"));
    Saving saving(0, 0x100, 0);
    ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS);
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("p.kdx").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_GT(folder.read("p.kdx").size(), 0x100u);
}

// Saves a 32 KB project over path with the file size limited to 4 KB, so
// that the write fails half-way as on a full disk; runs in a child process.
[[noreturn]] void saveUnderFileSizeLimit(const std::wstring& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const SaveDialogHost host(path);
    Saving saving(0, 0x8000, 0);
    std::exit(saving.save() == ZEPHLIN_RESULT_OPEN_FILE_ERROR ? 0 : 1);
}

TEST(SaveProjectExportDeathTest, FailedWriteKeepsTheExistingProject) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TemporaryFolder folder;
    const std::vector<uint8_t> previous = patternImage(3000, 42);
    folder.write("p.kdx", previous);
    EXPECT_EXIT(saveUnderFileSizeLimit(folder.widePath("p.kdx")), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(folder.read("p.kdx"), previous);
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(SaveProjectExport, EveryPartLoadsBackAsItWasSaved) {
    TemporaryFolder folder;
    const auto records = chipCatalogue();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ChipRecord& chip = records[i];
        const std::string name = "part" + std::to_string(i) + ".kdx";
        const SaveDialogHost host(folder.widePath(name));
        Saving saving(static_cast<int32_t>(i), 0x200 + 3 * i,
                      chip.secondAreaSize != 0 ? 0x40 + i : 0);
        storeOptionSettings(*saving.context, testing::nonDefaultSettings(chip));
        saving.context->ispCodeSource = 1;
        std::copy_n("LINE-7", 6, saving.context->customerString);
        ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS) << chip.partName;

        Loaded loaded = loadProject(folder.widePath(name));
        const ZephlinContext& got = *loaded.context;
        const ZephlinContext& sent = *saving.context;
        // Type-14 parts that differ only in their main area share a chip ID and
        // load as the first of them; every other part loads as itself.
        if (chip.chipType != 14) {
            EXPECT_EQ(got.chipIndex, static_cast<int32_t>(i)) << chip.partName;
        }
        EXPECT_EQ(loaded.code, saving.code) << chip.partName;
        if (chip.projectVersion != 0x0300) {
            EXPECT_EQ(loaded.data, saving.data) << chip.partName;
        }
        EXPECT_TRUE(std::equal(std::begin(got.selectSettings), std::end(got.selectSettings),
                               std::begin(sent.selectSettings)))
            << chip.partName;
        EXPECT_TRUE(std::equal(std::begin(got.checkSettings), std::end(got.checkSettings),
                               std::begin(sent.checkSettings)))
            << chip.partName;
        EXPECT_EQ(got.stepFlags, sent.stepFlags & 0xFF);
        EXPECT_EQ(got.ispCodeSource, 1);
        EXPECT_STREQ(got.codeFileName, L"firmware.hex");
        EXPECT_STREQ(got.ispCodeName, L"Default ISP");
        EXPECT_TRUE(std::equal(std::begin(got.customerString), std::end(got.customerString),
                               std::begin(sent.customerString)));
        EXPECT_EQ(got.randomKey, sent.randomKey);
        EXPECT_EQ(got.atpgKey, sent.atpgKey);
        EXPECT_TRUE(std::equal(std::begin(got.saveTime), std::end(got.saveTime),
                               std::begin(sent.saveTime)));
        EXPECT_EQ(got.bufferChecksum, sent.bufferChecksum);
        EXPECT_EQ(got.projectVersion, chip.projectVersion);
    }
}

TEST(SaveProjectExport, SaveTimeIsLocalTimeOfTheSave) {
    TemporaryFolder folder;
    const SaveDialogHost host(folder.widePath("t.kdx"));
    Saving saving(0, 0x10, 0);
    const std::time_t before = std::time(nullptr);
    ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS);
    std::tm local{};
    localtime_r(&before, &local);
    EXPECT_EQ(saving.context->saveTime[0], local.tm_year - 100);
    EXPECT_EQ(saving.context->saveTime[1], local.tm_mon + 1);
    EXPECT_EQ(saving.context->saveTime[2], local.tm_mday);
}

} // namespace
} // namespace zephlin
