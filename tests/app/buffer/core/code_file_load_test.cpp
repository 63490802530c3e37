#include "buffer/core/code_file_io.h"
#include "buffer/core/code_file_load.h"
#include "hex_text_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace zephlin {
namespace {

using namespace zephlin::testing;
using Bytes = std::vector<uint8_t>;

struct CodeFileLoadTest : ::testing::Test {
    MemoryAreaStorage main;
    MemoryAreaStorage second;
    CodeBuffer buffer{main, second};

    void SetUp() override { buffer.resetForPart(0x100, 0x40); }

    CodeFileLoad load(const Bytes& file, const wchar_t* path, LoadForm form = LoadForm::Normal,
                      int page = kMainPage) {
        return loadCodeFile(buffer, page, std::span<const uint8_t>(file), path, form);
    }
};

TEST_F(CodeFileLoadTest, ExtensionsDecideTheKindWhateverTheirCase) {
    EXPECT_EQ(upperExtension(L"/a/b/app.hex"), L"HEX");
    EXPECT_EQ(upperExtension(L"/a/b.d/app"), L"");
    EXPECT_EQ(upperExtension(L"x.Kdx"), L"KDX");
    EXPECT_EQ(codeFileKind(L"KDX"), CodeFileKind::Project);
    EXPECT_EQ(codeFileKind(L"HEX"), CodeFileKind::IntelHex);
    EXPECT_EQ(codeFileKind(L"BIN"), CodeFileKind::RawBinary);
    EXPECT_EQ(codeFileKind(L""), CodeFileKind::RawBinary);
}

TEST_F(CodeFileLoadTest, AHexFileIsConvertedAndAnyOtherFileTakenByteForByte) {
    const Bytes hex = bytesOf(linearBase(0x0800) + dataRecord(0, {1, 2}) + endOfFile());
    const auto loaded = load(hex, L"/w/app.HEX");
    EXPECT_EQ(loaded.result, 101);
    EXPECT_EQ(loaded.label, L"/w/app.HEX");
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{1, 2}));
    EXPECT_EQ(buffer.loadRecord(kMainPage).state, LoadState::SingleFile);
    EXPECT_EQ(buffer.loadRecord(kMainPage).fileExtension, L"HEX");

    load(hex, L"/w/app.txt");
    EXPECT_EQ(buffer.readArea(kMainPage), hex);
}

TEST_F(CodeFileLoadTest, ASecondFileMergesAndAClearedLoadReplaces) {
    ASSERT_EQ(load(Bytes{1, 2}, L"/a.bin").result, 101);
    buffer.setClearBufferOption(false);
    buffer.setLoadAddress(4);
    const auto mixed = load(Bytes{7}, L"/b.bin");
    EXPECT_EQ(mixed.label, L"/b.bin (Mixed file)");
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{1, 2, 0xFF, 0xFF, 7}));
    EXPECT_EQ(buffer.loadRecord(kMainPage).state, LoadState::Mixed);

    buffer.setClearBufferOption(true);
    buffer.setLoadAddress(0);
    const auto cleared = load(Bytes{5}, L"/c.bin");
    EXPECT_EQ(cleared.label, L"/c.bin");
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{5}));
    EXPECT_EQ(buffer.loadRecord(kMainPage).state, LoadState::SingleFile);
}

TEST_F(CodeFileLoadTest, ADumpedOrIspOnlyPageIsReplacedOrMergedInto) {
    buffer.setArea(kMainPage, Bytes{9, 9, 9});
    buffer.loadRecord(kMainPage).state = LoadState::Dumped;
    EXPECT_EQ(load(Bytes{1}, L"/a.bin").label, L"/a.bin");
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{1}));

    buffer.setArea(kMainPage, Bytes{9, 9, 9});
    buffer.loadRecord(kMainPage).state = LoadState::IspOnly;
    EXPECT_EQ(load(Bytes{1}, L"/a.bin").label, L"/a.bin (Mixed file)");
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{1, 9, 9}));
}

TEST_F(CodeFileLoadTest, AReloadKeepsASingleFileSingleAndTheOldBytesBeyondTheNewEnd) {
    load(Bytes{1, 2, 3, 4}, L"/a.bin");
    buffer.setClearBufferOption(true); // not honoured by a reload
    const auto reloaded = load(Bytes{7, 8}, L"/a.bin", LoadForm::Reload);
    EXPECT_EQ(reloaded.label, L"/a.bin");
    EXPECT_EQ(buffer.loadRecord(kMainPage).state, LoadState::SingleFile);
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{7, 8, 3, 4}));
}

TEST_F(CodeFileLoadTest, AnImageMustFitFromTheLoadAddress) {
    EXPECT_EQ(load(Bytes(0x100, 1), L"/full.bin").result, 101);
    const auto tooLong = load(Bytes(0x101, 2), L"/long.bin");
    EXPECT_EQ(tooLong.result, 124);
    EXPECT_EQ(buffer.readArea(kMainPage), Bytes(0x100, 1)); // unchanged

    buffer.setLoadAddress(0xFF);
    EXPECT_EQ(load(Bytes{1, 2}, L"/b.bin").result, 124);
    EXPECT_EQ(load(bytesOf(dataRecord(0, {1, 2})), L"/b.hex").result, 124);
    buffer.setLoadAddress(0xFFFFFFFF); // no wrap-around
    EXPECT_EQ(load(Bytes{1}, L"/c.bin").result, 124);
    EXPECT_EQ(buffer.loadRecord(kMainPage).filePath, L"/full.bin");
}

TEST_F(CodeFileLoadTest, ThePageFillModeFillsTheArea) {
    buffer.loadRecord(kSecondPage).fillMode = FillMode::Zeros;
    load(Bytes{1}, L"/d.bin", LoadForm::Normal, kSecondPage);
    const Bytes area = buffer.readArea(kSecondPage);
    ASSERT_EQ(area.size(), 0x40u);
    EXPECT_EQ(area[0], 1);
    EXPECT_EQ(area[0x3F], 0);
    EXPECT_EQ(buffer.length(kMainPage), 0u);
}

TEST_F(CodeFileLoadTest, AFileThatCannotBeOpenedChangesNothing) {
    load(Bytes{1}, L"/a.bin");
    const auto missing =
        loadCodeFileFromDisk(buffer, kMainPage, "/nonexistent/x.bin", LoadForm::Normal);
    EXPECT_EQ(missing.result, 114);
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{1}));
    EXPECT_EQ(buffer.loadRecord(kMainPage).filePath, L"/a.bin");
}

TEST_F(CodeFileLoadTest, AHexFileWithADamagedRecordIsRefusedAndChangesNothing) {
    load(Bytes{1}, L"/a.bin");
    const std::string text = dataRecord(0, {1, 2}) + hexRecord(0, 2, {3}, 1);
    const CodeFileLoad damaged = load(bytesOf(text), L"/b.hex");
    EXPECT_EQ(damaged.result, 112);
    ASSERT_TRUE(damaged.damaged.has_value());
    EXPECT_EQ(damaged.damaged->line, 2u);
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{1}));
    EXPECT_EQ(buffer.loadRecord(kMainPage).filePath, L"/a.bin");
}

TEST_F(CodeFileLoadTest, FilesOnDiskAreReadWhole) {
    const auto path = std::filesystem::temp_directory_path() / "zephlin_code_file_load_test.hex";
    const Bytes hex = bytesOf(dataRecord(0, {1, 2, 3}));
    ASSERT_TRUE(writeWholeFile(path, hex));
    EXPECT_EQ(readWholeFile(path, 1000).bytes, hex);
    EXPECT_EQ(readWholeFile(path, 4).status, FileBytes::Status::TooLarge);
    EXPECT_EQ(loadCodeFileFromDisk(buffer, kMainPage, path.string(), LoadForm::Normal).result, 101);
    EXPECT_EQ(buffer.readArea(kMainPage), (Bytes{1, 2, 3}));
    std::filesystem::remove(path);
}

} // namespace
} // namespace zephlin
