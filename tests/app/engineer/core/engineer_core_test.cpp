// Engineer mode's rules without a display: Engineer.ini as the sheets read
// it, the bit sheets' registers, the images of Write and Read, Sync, the
// difference marks, the read file's name and the log entries.
#include "common/profile_text.h"
#include "engineer/core/engineer_commands.h"
#include "engineer/core/engineer_ini.h"
#include "engineer/core/engineer_sheet_model.h"
#include "engineer/core/read_file.h"

#include "tests/support/test_workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zephlin {
namespace {

EngineerConfig configOf(const std::string& text) {
    return readEngineerConfig(ProfileText::fromBytes(text));
}

const char* const kOneRegister = "[Main]\nSheetCount=2\n"
                                 "[Sheet0]\nName=OR\nWriteOfBytes=16\nReadOfBytes=16\nItemCount=1\n"
                                 "Item00_Name=CTRL\nItem00_AddrOffset=4\nItem00_Size=4\n"
                                 "Item00_Bit00=EN\nItem00_Bit03=MODE\nItem00_Bit28=LOCK\n";

EngineerSheetModel sheet0(const std::string& text = kOneRegister) {
    return EngineerSheetModel(configOf(text).sheets[0]);
}

std::vector<uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("zephlin-engineer-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root_);
        folder_ = root_ / "work";
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::filesystem::path root_;
    std::filesystem::path folder_;
};

TEST(EngineerIni, SheetsItemsAndBitNames) {
    const EngineerConfig config = configOf(kOneRegister);
    EXPECT_EQ(config.tabCount, 2);
    const EngineerSheet& sheet = config.sheets[0];
    EXPECT_EQ(sheet.name, L"OR");
    EXPECT_EQ(sheet.writeBytes, 16u);
    ASSERT_EQ(sheet.items.size(), 1u);
    EXPECT_EQ(sheet.items[0].name, L"CTRL");
    EXPECT_EQ(sheet.items[0].addressOffset, 4);
    EXPECT_EQ(sheet.items[0].bitNames[3], L"MODE");
    EXPECT_TRUE(sheet.items[0].bitNames[5].empty());
    // Sheets without a tab are still read; without keys they are empty.
    EXPECT_TRUE(config.sheets[3].items.empty());
    EXPECT_EQ(config.sheets[2].kind, SheetKind::Bytes);

    const EngineerConfig missing = readEngineerConfig(std::filesystem::path("/nonexistent/x.ini"));
    EXPECT_EQ(missing.tabCount, 0);
}

TEST(EngineerIni, CountsAndSizesAreClampedToWhatTheSheetsShow) {
    const EngineerConfig config =
        configOf("[Main]\nSheetCount=9\n[Sheet0]\nItemCount=40\nItem00_Size=2\n"
                 "[Sheet2]\nItemCount=-3\nWriteOfBytes=2147483647\nReadOfBytes=-5\n"
                 "[Sheet3]\nItemCount=8\nItem00_Size=99999999\n");
    EXPECT_EQ(config.tabCount, 4);
    EXPECT_EQ(config.sheets[0].items.size(), 8u);
    // A bit sheet's item is a 32-bit register whatever Size says.
    EXPECT_EQ(config.sheets[0].items[0].size, 4u);
    EXPECT_TRUE(config.sheets[2].items.empty());
    EXPECT_EQ(config.sheets[2].writeBytes, static_cast<std::size_t>(kMaximumImageBytes));
    EXPECT_EQ(config.sheets[2].readBytes, 0u);
    ASSERT_EQ(config.sheets[3].items.size(), 1u); // sheet 3 uses only the first
    EXPECT_EQ(config.sheets[3].items[0].size, static_cast<std::size_t>(kMaximumImageBytes));
    EXPECT_EQ(configOf("[Main]\nSheetCount=-1\n").tabCount, 0);
}

TEST(BitSheet, ValueBytesAreTheRegisterMostSignificantFirst) {
    EngineerSheetModel model = sheet0();
    const uint8_t value[] = {0x12, 0x34, 0x56, 0x78};
    model.setWriteValue(0, value);
    EXPECT_FALSE(model.bit(0, 0));
    EXPECT_TRUE(model.bit(0, 3));
    EXPECT_TRUE(model.bit(0, 28));
    EXPECT_FALSE(model.bit(0, 31));
    for (int b = 0; b < 32; ++b) {
        EXPECT_EQ(model.bit(0, b), ((0x12345678u >> b) & 1u) != 0) << b;
    }

    const std::vector<uint8_t> image = model.writeImage();
    ASSERT_EQ(image.size(), 16u);
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + 4, image.begin() + 8),
              (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(image[0], 0xFF);
    EXPECT_EQ(image[8], 0xFF);
}

TEST(BitSheet, ABoxRebuildsTheValueAndAnUnnamedBitIsDisabled) {
    EngineerSheetModel model = sheet0();
    model.setBit(0, 28, true);
    model.setBit(0, 0, true);
    EXPECT_EQ(model.writeValue(0), (std::vector<uint8_t>{0x10, 0x00, 0x00, 0x01}));
    model.setBit(0, 28, false);
    EXPECT_EQ(model.writeValue(0), (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x01}));
    EXPECT_TRUE(model.bitEnabled(0, 3));
    EXPECT_FALSE(model.bitEnabled(0, 5));
    // Out-of-range bits change nothing.
    model.setBit(0, 32, true);
    model.setBit(0, -1, true);
    EXPECT_FALSE(model.bit(0, 32));
    EXPECT_EQ(model.writeValue(0), (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x01}));
}

TEST(BitSheet, ReadShowsErasedBytesAndMarksEveryDifferingByteAndBit) {
    EngineerSheetModel model = sheet0();
    const uint8_t value[] = {0xFF, 0x00, 0xFF, 0x7F};
    model.setWriteValue(0, value);
    EXPECT_FALSE(model.readDone());
    EXPECT_FALSE(model.syncEnabled());
    EXPECT_FALSE(model.connectorMarked(0, 3));

    const std::vector<uint8_t> image = model.read();
    EXPECT_EQ(image, std::vector<uint8_t>(16, 0xFF));
    EXPECT_EQ(model.readValue(0), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(model.differingBytes(0), (std::vector<std::size_t>{1, 3}));
    EXPECT_TRUE(model.syncEnabled());
    // Bit 3 (byte 3) is 1 in both, bit 28 (byte 0) too; bit 7 of byte 3 is
    // bit 7 of the register, 0 in the write value but unnamed: no connector.
    EXPECT_FALSE(model.connectorMarked(0, 3));
    EXPECT_FALSE(model.connectorMarked(0, 7));

    model.setBit(0, 3, false);
    EXPECT_TRUE(model.connectorMarked(0, 3));

    model.sync();
    EXPECT_EQ(model.writeValue(0), model.readValue(0));
    EXPECT_TRUE(model.differingBytes(0).empty());
}

TEST(BitSheet, ItemsOutsideAnImageAreLeftOutOfIt) {
    EngineerSheetModel model =
        sheet0("[Sheet0]\nWriteOfBytes=6\nReadOfBytes=16\nItemCount=3\n"
               "Item00_AddrOffset=4\nItem01_AddrOffset=-1\nItem02_AddrOffset=2147483647\n");
    const uint8_t value[] = {1, 2, 3, 4};
    for (std::size_t i = 0; i < 3; ++i) {
        model.setWriteValue(i, value);
    }
    EXPECT_EQ(model.writeImage(), std::vector<uint8_t>(6, 0xFF));
    model.read();
    EXPECT_EQ(model.readValue(0), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    // Outside the read image: the read value stays as it was.
    EXPECT_EQ(model.readValue(1), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(model.readValue(2), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(ValueSheets, ByteItemsInOrderAndTheDutIdAfterARead) {
    const EngineerConfig config =
        configOf("[Sheet2]\nWriteOfBytes=8\nReadOfBytes=8\nItemCount=1\nItem00_Name=KEY\n"
                 "Item00_AddrOffset=2\nItem00_Size=3\n"
                 "[Sheet3]\nWriteOfBytes=4\nReadOfBytes=4\nItemCount=1\nItem00_Size=4\n");
    EngineerSheetModel bytes(config.sheets[2]);
    const uint8_t value[] = {0xA1, 0xB2, 0xC3};
    bytes.setWriteValue(0, value);
    EXPECT_EQ(bytes.writeImage(),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xA1, 0xB2, 0xC3, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes.label(0), L"KEY : ");
    EXPECT_TRUE(bytes.dutStatus().empty());
    bytes.read();
    EXPECT_EQ(bytes.dutStatus(), L"ID pass");
    EXPECT_EQ(bytes.dutId(), std::vector<uint8_t>(5, 0xFF));
    EXPECT_EQ(bytes.differingBytes(0), (std::vector<std::size_t>{0, 1, 2}));

    EngineerSheetModel block(config.sheets[3]);
    EXPECT_FALSE(block.writeEnabled());
    EXPECT_FALSE(block.syncEnabled());
    block.read();
    EXPECT_TRUE(block.writeEnabled());
    EXPECT_FALSE(block.syncEnabled());
    EXPECT_EQ(block.writeValue(0), std::vector<uint8_t>(4, 0xFF));
}

TEST(ReadFileName, APlainNameStaysAndEveryOtherBecomesAFileInTheFolder) {
    EXPECT_EQ(readFileName(L"OR"), L"OR.bin");
    EXPECT_EQ(readFileName(L"寄存器 a.b"), L"寄存器 a.b.bin");
    EXPECT_EQ(readFileName(L"../x"), L"___x.bin");
    EXPECT_EQ(readFileName(L".."), L"__.bin");
    EXPECT_EQ(readFileName(L"/etc/passwd"), L"_etc_passwd.bin");
    EXPECT_EQ(readFileName(L"a\\b:c*d?e\"f<g>h|i"), L"a_b_c_d_e_f_g_h_i.bin");
    EXPECT_EQ(readFileName(std::wstring(L"a\nb\x7F", 4)), L"a_b_.bin");
    // Cut to the 255 bytes a file name may have, at a character boundary.
    const std::wstring longName = readFileName(std::wstring(300, L'寄'));
    EXPECT_EQ(longName, std::wstring(83, L'寄') + L".bin");
}

TEST_F(FolderTest, ReadWritesItsFileOnlyInsideTheFolder) {
    testing::TestWorkspace workspace;
    EngineerSheetModel model = sheet0("[Sheet0]\nName=../x\nReadOfBytes=16\n");
    runEngineerRead(*workspace, model, folder_);
    EXPECT_FALSE(std::filesystem::exists(root_ / "x.bin"));
    EXPECT_EQ(fileBytes(folder_ / "___x.bin"), std::vector<uint8_t>(16, 0xFF));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(FolderTest, WriteAndReadLogPassInTheWindowsGrammar) {
    testing::TestWorkspace workspace;
    EngineerSheetModel model = sheet0();
    runEngineerWrite(*workspace, model);
    runEngineerRead(*workspace, model, folder_);
    EXPECT_EQ(fileBytes(folder_ / "OR.bin"), std::vector<uint8_t>(16, 0xFF));
    const std::wstring& log = workspace.log();
    EXPECT_TRUE(log.starts_with(L"000 - Write Engineer OR =>Pass   [")) << log.size();
    EXPECT_NE(log.find(L"\"]\r\n001 - Read Engineer OR =>Pass   ["), std::wstring::npos);
    EXPECT_EQ(workspace->firstFailure(), 0);

    workspace->setLanguage(Language::Chinese);
    runEngineerWrite(*workspace, model);
    EXPECT_NE(workspace.log().find(L"002 - 写入工程 OR =>成功"), std::wstring::npos);
}

TEST_F(FolderTest, AReadFileThatCannotBeCreatedIsSkipped) {
    testing::TestWorkspace workspace;
    std::filesystem::create_directory(folder_ / "OR.bin");
    EngineerSheetModel model = sheet0();
    runEngineerRead(*workspace, model, folder_);
    EXPECT_TRUE(model.readDone());
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "OR.bin"));
    EXPECT_NE(workspace.log().find(L"Read Engineer OR =>Pass"), std::wstring::npos);
}

} // namespace
} // namespace zephlin
