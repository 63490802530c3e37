#include "shell/core/shell_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace zephlin {
namespace {

class ShellSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zephlin-settings-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string read() const {
        std::ifstream in(ShellSettings::pathIn(folder_), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::filesystem::path folder_;
};

TEST_F(ShellSettingsTest, NoFileGivesTheDefaults) {
    ShellSettings settings(ShellSettings::pathIn(folder_));
    EXPECT_EQ(settings.path().filename(), "Setting.ini");
    EXPECT_EQ(settings.lastPartNo(), 0);
    EXPECT_EQ(settings.language(), 0);
    EXPECT_EQ(settings.updateTips(), 0);
    LastFolders folders;
    folders.set(DialogFolder::SaveKdx, L"/keep");
    settings.readFolders(folders);
    EXPECT_EQ(folders.get(DialogFolder::LoadFile), L"");
    EXPECT_EQ(folders.get(DialogFolder::SaveKdx), L"/keep");
}

TEST_F(ShellSettingsTest, NullFoldersKeepTheirValueAndAreWrittenBackEmpty) {
    std::ofstream(ShellSettings::pathIn(folder_))
        << "[Setting]\nLastPartNo=12\nLanguage=1\nUpdateTips=1\nLoadFilePath=NULL\n"
           "InsertISPPath=/isp/\nSaveBufferPath=null\nSaveKDXPath=\n";
    ShellSettings settings(ShellSettings::pathIn(folder_));
    EXPECT_EQ(settings.lastPartNo(), 12);
    EXPECT_EQ(settings.language(), 1);
    EXPECT_EQ(settings.updateTips(), 1);
    LastFolders folders;
    settings.readFolders(folders);
    EXPECT_EQ(folders.get(DialogFolder::LoadFile), L"");
    EXPECT_EQ(folders.get(DialogFolder::InsertIsp), L"/isp/");
    EXPECT_EQ(folders.get(DialogFolder::SaveBuffer), L"null"); // only "NULL" exactly
    EXPECT_EQ(folders.get(DialogFolder::SaveKdx), L"");

    LastFolders closing;
    settings.writeOnClose(-1, closing);
    EXPECT_EQ(read(), "[Setting]\nLastPartNo=-1\nLanguage=1\nUpdateTips=1\nLoadFilePath=\n"
                      "InsertISPPath=\nSaveBufferPath=\nSaveKDXPath=\n");
}

TEST_F(ShellSettingsTest, LanguageAndTipsAreWrittenAtOnce) {
    ShellSettings settings(ShellSettings::pathIn(folder_));
    settings.writeLanguage(1);
    settings.writeUpdateTips(0);
    EXPECT_EQ(read(), "[Setting]\nLanguage=1\nUpdateTips=0\n");
    EXPECT_EQ(settings.language(), 1);
}

} // namespace
} // namespace zephlin
