#include "common/profile_file.h"
#include "common/profile_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace zephlin {
namespace {

TEST(ProfileText, FindsKeysAsTheWindowsProfileFunctionsDo) {
    const auto profile = ProfileText::fromBytes("; comment\r\n"
                                                "orphan=1\r\n"
                                                " [ setting ] \r\n"
                                                "  language =  1  \r\n"
                                                "Quoted=\"C:\\Work\\\"\r\n"
                                                "Single='x'\r\n"
                                                "Lonely\r\n"
                                                "Empty=\r\n"
                                                "[Other]\r\n"
                                                "Language=7");
    EXPECT_EQ(profile.value(L"Setting", L"Language"), L"1");
    EXPECT_EQ(profile.value(L"SETTING", L"quoted"), L"C:\\Work\\");
    EXPECT_EQ(profile.value(L"Setting", L"Single"), L"x");
    EXPECT_EQ(profile.value(L"Setting", L"Empty"), L"");
    EXPECT_EQ(profile.value(L"Setting", L"Lonely"), std::nullopt);
    EXPECT_EQ(profile.value(L"Setting", L"orphan"), std::nullopt);
    EXPECT_EQ(profile.value(L"Other", L"Language"), L"7");
    EXPECT_EQ(profile.value(L"Missing", L"Language"), std::nullopt);
}

TEST(ProfileText, UpdatesKeepEveryOtherLineAndTheLineEnds) {
    auto profile =
        ProfileText::fromBytes("; mine\r\n[Setting]\r\nLanguage=0\r\n\r\n[Other]\r\nA=1\r\n");
    EXPECT_TRUE(profile.setValue(L"setting", L"LANGUAGE", L"1"));
    EXPECT_TRUE(profile.setValue(L"Setting", L"LastPartNo", L"5"));
    EXPECT_TRUE(profile.setValue(L"New", L"Key", L""));
    EXPECT_EQ(profile.toBytes(), "; mine\r\n[Setting]\r\nLANGUAGE=1\r\nLastPartNo=5\r\n\r\n"
                                 "[Other]\r\nA=1\r\n[New]\r\nKey=\r\n");
}

TEST(ProfileText, RefusesWhatWouldBreakTheFileApart) {
    ProfileText profile;
    EXPECT_FALSE(profile.setValue(L"Setting", L"LoadFilePath", L"/tmp/a\nLanguage=1"));
    EXPECT_FALSE(profile.setValue(L"Setting", L"Lo=ad", L"x"));
    EXPECT_FALSE(profile.setValue(L"Set]ting", L"Load", L"x"));
    EXPECT_FALSE(profile.setValue(L"Setting", L"", L"x"));
    EXPECT_EQ(profile.toBytes(), "");
}

TEST(ProfileText, DecodesUtf8Utf16AndGarbage) {
    EXPECT_EQ(ProfileText::fromBytes("\xEF\xBB\xBF[Setting]\nPath=/home/\xE4\xB8\xAD\n")
                  .value(L"Setting", L"Path"),
              L"/home/中");
    const std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\x2D\x4E", 18);
    EXPECT_EQ(ProfileText::fromBytes(utf16).value(L"S", L"K"), L"中");
    const auto garbage =
        ProfileText::fromBytes(std::string("[S]\nK=\xFF\xC0\x80\xE4\xB8\n\0\0=\0", 16));
    EXPECT_EQ(garbage.value(L"S", L"K"), L"\xDCFF\xDCC0\xDC80\xDCE4\xDCB8");
}

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zephlin-profile-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path file() const { return folder_ / "Setting.ini"; }
    void write(const std::string& bytes) const { std::ofstream(file(), std::ios::binary) << bytes; }
    std::string read() const {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::filesystem::path folder_;
};

TEST_F(ProfileFileTest, MissingFileOrKeyGivesTheDefault) {
    ProfileFile profile(file());
    EXPECT_EQ(profile.readInt(L"Setting", L"LastPartNo", 3), 3);
    EXPECT_EQ(profile.readString(L"Setting", L"LoadFilePath", L"NULL", 255), L"NULL");
    write("[Setting]\nLanguage=1\n");
    EXPECT_EQ(profile.readInt(L"Setting", L"LastPartNo", 3), 3);
    EXPECT_EQ(profile.readInt(L"Setting", L"Language", 0), 1);
}

TEST_F(ProfileFileTest, IntegersReadAsWindowsReadsThem) {
    write("[Setting]\nA= 42abc\nB=abc\nC=-7\nD=99999999999\nE=+5\nF=\n");
    ProfileFile profile(file());
    EXPECT_EQ(profile.readInt(L"Setting", L"A", -1), 42);
    EXPECT_EQ(profile.readInt(L"Setting", L"B", -1), 0);
    EXPECT_EQ(profile.readInt(L"Setting", L"C", -1), -7);
    EXPECT_EQ(profile.readInt(L"Setting", L"D", -1), 2147483647);
    EXPECT_EQ(profile.readInt(L"Setting", L"E", -1), 5);
    EXPECT_EQ(profile.readInt(L"Setting", L"F", -1), 0);
}

TEST_F(ProfileFileTest, StringsAreCutToTheirCapacity) {
    write("[Setting]\nPath=" + std::string(300, 'a') + "\n");
    EXPECT_EQ(ProfileFile(file()).readString(L"Setting", L"Path", L"", 255),
              std::wstring(255, L'a'));
}

TEST_F(ProfileFileTest, WritesCreateTheFileAndReplaceItWhole) {
    ProfileFile profile(file());
    EXPECT_TRUE(profile.writeString(L"Setting", L"Language", L"1"));
    EXPECT_TRUE(profile.writeString(L"Setting", L"LoadFilePath", L"/home/操作员/hex"));
    EXPECT_EQ(
        read(),
        "[Setting]\nLanguage=1\nLoadFilePath=/home/\xE6\x93\x8D\xE4\xBD\x9C\xE5\x91\x98/hex\n");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Setting.ini.new"));
}

TEST_F(ProfileFileTest, AFileTooLargeToBeOursIsNeitherReadNorRewritten) {
    const std::string large =
        "[Setting]\nLanguage=1\n" + std::string(ProfileFile::kMaximumBytes, ';');
    write(large);
    ProfileFile profile(file());
    EXPECT_EQ(profile.readInt(L"Setting", L"Language", 0), 0);
    EXPECT_FALSE(profile.writeString(L"Setting", L"Language", L"0"));
    EXPECT_EQ(read().size(), large.size());
}

TEST_F(ProfileFileTest, AFolderInPlaceOfTheFileIsNotWrittenThrough) {
    std::filesystem::create_directories(file());
    ProfileFile profile(file());
    EXPECT_EQ(profile.readInt(L"Setting", L"Language", 4), 4);
    EXPECT_FALSE(profile.writeString(L"Setting", L"Language", L"1"));
}

} // namespace
} // namespace zephlin
