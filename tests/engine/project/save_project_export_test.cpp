#include "Zephlin_DLL.h"

#include "project_test_support.h"
#include "support/checksum16.h"
#include "support/utf8.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cwchar>
#include <filesystem>
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
        EXPECT_EQ(loaded.data, saving.data) << chip.partName;
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

// A 3.0 footer stores no data size; the data image the file holds after the
// code image still comes back, and a part without a second area gets none.
TEST(SaveProjectExport, AVersion30ProjectKeepsItsSecondArea) {
    TemporaryFolder folder;
    const int32_t withSecondArea = testing::firstIndexOfType(21);
    ASSERT_EQ(chipCatalogue()[static_cast<std::size_t>(withSecondArea)].projectVersion, 0x0300);
    {
        const SaveDialogHost host(folder.widePath("isp.kdx"));
        Saving saving(withSecondArea, 0x400, 0x139C);
        ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS);
        const Loaded loaded = loadProject(folder.widePath("isp.kdx"));
        EXPECT_EQ(loaded.context->dataSize, 0x139Cu);
        EXPECT_EQ(loaded.context->dataChecksum, checksum16(saving.data));
        EXPECT_EQ(loaded.data, saving.data);
    }
    const SaveDialogHost host(folder.widePath("plain.kdx"));
    Saving saving(0, 0x400, 0);
    ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS);
    const Loaded loaded = loadProject(folder.widePath("plain.kdx"));
    EXPECT_EQ(loaded.context->dataSize, 0u);
}

// A path the record's project file field cannot hold would save a project
// that cannot be opened again.
TEST(SaveProjectExport, APathTooLongToOpenAgainIsRefused) {
    // A folder deep enough that a name brings the path to the field's length.
    TemporaryFolder folder;
    constexpr std::size_t kLongestPath = ZEPHLIN_PATH_CAPACITY - 1;
    std::filesystem::path deep = folder.file("");
    while (deep.string().size() + 1 + 250 < kLongestPath) {
        deep /= std::string(200, 'd');
    }
    std::filesystem::create_directories(deep);
    const std::string name =
        std::string(kLongestPath - (deep.string().size() + 1) - 4, 'n') + ".kdx";
    const std::filesystem::path longest = deep / name;
    const std::filesystem::path tooLong = deep / ("x" + name);
    ASSERT_EQ(longest.string().size(), kLongestPath);

    const SaveDialogHost host(tooLong.wstring());
    Saving saving(0, 0x100, 0);
    std::wcscpy(saving.context->projectFolder, L"/before/");
    EXPECT_EQ(saving.save(), ZEPHLIN_RESULT_OPEN_FILE_ERROR);
    EXPECT_TRUE(std::filesystem::is_empty(deep)) << "nothing is written";
    EXPECT_STREQ(saving.context->projectFolder, L"/before/");

    const SaveDialogHost fits(longest.wstring());
    Saving fitting(0, 0x100, 0);
    ASSERT_EQ(fitting.save(), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loadProject(longest.wstring()).code, fitting.code);
}

TEST(SaveProjectExport, SavingOverALinkWritesTheFileItPointsTo) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("real"));
    folder.write("real/p.kdx", std::string("old"));
    std::filesystem::create_symlink("real/p.kdx", folder.file("link.kdx"));
    std::filesystem::create_symlink("real/new.kdx", folder.file("dangling.kdx"));
    for (const char* name : {"link.kdx", "dangling.kdx"}) {
        const SaveDialogHost host(folder.widePath(name));
        Saving saving(0, 0x100, 0);
        ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS) << name;
        EXPECT_TRUE(std::filesystem::is_symlink(folder.file(name))) << name << " is still a link";
        EXPECT_EQ(loadProject(folder.widePath(name)).code, saving.code) << name;
        EXPECT_STREQ(saving.context->projectFile, utf8::toWide(name).c_str());
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.file("real/p.kdx")));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.file("real/new.kdx")));
    EXPECT_EQ(folder.entries(), 3u) << "no temporary file beside the links";
}

// A file name need not be UTF-8: the bytes the user gave are the name the
// project gets, and names inside the footer come back as they went in.
TEST(SaveProjectExport, ANameThatIsNotUtf8IsKeptByteForByte) {
    TemporaryFolder folder;
    const std::string name = "o\xff\xe4\xb8.kdx";
    const std::wstring path = utf8::toWide(folder.file(name).string());
    const SaveDialogHost host(path);
    Saving saving(0, 0x100, 0);
    const std::wstring codeName = utf8::toWide("fw-\xe9.hex");
    std::wcscpy(saving.context->codeFileName, codeName.c_str());
    ASSERT_EQ(saving.save(), ZEPHLIN_RESULT_PASS);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.file(name)));
    EXPECT_EQ(folder.entries(), 1u);
    EXPECT_EQ(utf8::fromWide(saving.context->projectFile), name);
    const Loaded loaded = loadProject(path);
    EXPECT_EQ(loaded.code, saving.code);
    EXPECT_EQ(std::wstring(loaded.context->codeFileName), codeName);
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
