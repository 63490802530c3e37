// The update check's rules: the server address, the version file as it is
// stored, read and removed, the equality rule, the addresses that may be
// opened, and the About dialog's state.
#include "common/profile_file.h"
#include "shell/core/about_model.h"
#include "shell/core/ui_texts.h"
#include "shell/core/update_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace zephlin {
namespace {

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

class VersionFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("zephlin-update-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::optional<VersionFileContents> take(const std::string& text, int32_t edition = 2) {
        return takeVersionFile(folder_, bytesOf(text), edition);
    }
    bool versionFileLeft() const { return std::filesystem::exists(folder_ / "tools_version.ini"); }

    std::filesystem::path folder_;
};

TEST(UpdateServer, TheFixedPathGoesOnTheDefaultOrTheGivenServer) {
    EXPECT_EQ(versionFileAddress(L""),
              "https://update.veltrix.example/files/Download/Tools/tools_version.ini");
    EXPECT_EQ(versionFileAddress(L"http://127.0.0.1:8080"),
              "http://127.0.0.1:8080/files/Download/Tools/tools_version.ini");
    EXPECT_EQ(versionFileAddress(L"HTTPS://mirror.example.org/"),
              "HTTPS://mirror.example.org/files/Download/Tools/tools_version.ini");
    EXPECT_EQ(versionFileAddress(L"http://[::1]:9000"),
              "http://[::1]:9000/files/Download/Tools/tools_version.ini");
}

TEST(UpdateServer, AnythingButSchemeHostAndPortIsRefused) {
    for (const wchar_t* server :
         {L"ftp://mirror", L"file:///etc", L"mirror.example.org", L"http://", L"http://a b",
          L"http://host/path", L"http://host:0", L"http://host:65536", L"http://host:",
          L"http://user@host", L"http://[::1", L"http://host:80x"}) {
        EXPECT_FALSE(versionFileAddress(server)) << server;
    }
}

TEST_F(VersionFileTest, TheEditionPicksItsKeysAndMissingKeysReadFail) {
    const std::string file = "[Zephlin]\nUniversal_Version=2.1.0.0\nUniversal_URL=https://d/u\n"
                             "China_Version=2.0.0.0\nChina_URL=https://d/c\n";
    const auto universal = take(file, 2);
    ASSERT_TRUE(universal);
    EXPECT_EQ(universal->releaseVersion, L"2.1.0.0");
    EXPECT_EQ(universal->updateAddress, L"https://d/u");
    const auto china = take(file, 1);
    ASSERT_TRUE(china);
    EXPECT_EQ(china->releaseVersion, L"2.0.0.0");
    EXPECT_EQ(china->updateAddress, L"https://d/c");

    const auto empty = take("<html>not found</html>");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->releaseVersion, L"Fail");
    EXPECT_EQ(empty->updateAddress, L"Fail");
    EXPECT_FALSE(versionFileLeft());
}

TEST_F(VersionFileTest, AFileOverTheLimitIsAServerErrorAndRemovesAStaleFile) {
    std::ofstream(folder_ / "tools_version.ini") << "[Zephlin]\nUniversal_Version=9.9.9.9\n";
    std::string file = "[Zephlin]\nUniversal_Version=3.0.0.0\n";
    file.resize(kMaximumVersionFileBytes + 1, ';');
    const auto contents = take(file);
    ASSERT_TRUE(contents);
    EXPECT_EQ(judgeCheck(contents, L"2.1.0.0"), CheckResult::ServerError);
    EXPECT_FALSE(versionFileLeft());

    file.resize(kMaximumVersionFileBytes);
    EXPECT_EQ(take(file)->releaseVersion, L"3.0.0.0");
}

TEST_F(VersionFileTest, AFolderThatCannotHoldTheFileCountsAsAFailedDownload) {
    const auto contents =
        takeVersionFile(folder_ / "missing" / "folder", bytesOf("[Zephlin]\n"), 2);
    EXPECT_FALSE(contents);
    EXPECT_EQ(judgeCheck(contents, L"2.1.0.0"), CheckResult::CannotConnect);
}

TEST(UpdateCheck, OnlyEqualityMeansLatest) {
    const std::wstring own = versionText(0x02010000);
    EXPECT_EQ(own, L"2.1.0.0");
    EXPECT_EQ(judgeCheck(VersionFileContents{L"2.1.0.0", L"https://d"}, own), CheckResult::Latest);
    EXPECT_EQ(judgeCheck(VersionFileContents{L"1.0.0.0", L"https://d"}, own),
              CheckResult::NewVersion);
    EXPECT_EQ(judgeCheck(VersionFileContents{L"2.1.0.0 ", L"https://d"}, own),
              CheckResult::NewVersion);
    EXPECT_EQ(judgeCheck(VersionFileContents{L"Fail", L"https://d"}, own),
              CheckResult::ServerError);
}

TEST(UpdateCheck, TheResultLinesInBothLanguages) {
    EXPECT_EQ(checkResultText(CheckResult::Latest, L"", Language::English),
              L"Already the latest version !");
    EXPECT_EQ(checkResultText(CheckResult::CannotConnect, L"", Language::Chinese),
              L"无法连接伺服器 !");
    EXPECT_EQ(checkResultText(CheckResult::ServerError, L"", Language::English),
              L"Server information error !");
    EXPECT_EQ(checkResultText(CheckResult::NewVersion, L"2.2.0.0", Language::English),
              L"Have new version(v2.2.0.0)\n Please click Download to update");
    EXPECT_EQ(checkResultText(CheckResult::NewVersion, L"2.2.0.0", Language::Chinese),
              L"有新版本(v2.2.0.0)\n 请点击下载进行更新");
    EXPECT_EQ(aboutCaption(Language::Chinese), L"Update Zephlin");
    EXPECT_EQ(aboutVersionLine(Language::English, 0x02010003), L"Zephlin v2.1.0.3");
}

TEST(UpdateCheck, OnlyWebAddressesAreOpened) {
    EXPECT_TRUE(isOpenableAddress(L"https://www.example.com/release.zip"));
    EXPECT_TRUE(isOpenableAddress(L"HTTP://127.0.0.1:8080/r"));
    for (const wchar_t* address :
         {L"file:///usr/bin/xterm", L"/usr/bin/xterm", L"javascript:alert(1)", L"http://",
          L"https:///etc/passwd", L"https://host/a b", L"Fail", L"", L"smb://host/share"}) {
        EXPECT_FALSE(isOpenableAddress(address)) << address;
    }
}

TEST(UpdateCheck, TheStartUpOffersOnlyANewReleaseWithAnOpenableAddress) {
    const std::wstring own = L"2.1.0.0";
    EXPECT_EQ(startupOffer(VersionFileContents{L"2.0.0.0", L"https://d/r"}, own, Language::English),
              L"Have new version(v2.0.0.0)\n Please click Download to update");
    EXPECT_FALSE(
        startupOffer(VersionFileContents{L"2.1.0.0", L"https://d/r"}, own, Language::English));
    EXPECT_FALSE(startupOffer(VersionFileContents{L"2.2.0.0", L"Fail"}, own, Language::English));
    EXPECT_FALSE(
        startupOffer(VersionFileContents{L"2.2.0.0", L"file:///bin/sh"}, own, Language::English));
    EXPECT_FALSE(startupOffer(std::nullopt, own, Language::English));
}

TEST_F(VersionFileTest, TheAboutModelStoresTheFlagAtOnceAndGuardsDownload) {
    ShellSettings settings(ShellSettings::pathIn(folder_));
    settings.writeUpdateTips(1);
    AboutModel model(settings, 0x02010000, 2, Language::English);
    EXPECT_TRUE(model.updateTips());
    EXPECT_FALSE(model.downloadEnabled());
    EXPECT_EQ(model.versionLine(), L"Zephlin v2.1.0.0");
    model.setUpdateTips(false);
    EXPECT_EQ(settings.updateTips(), 0);

    model.finishCheck(VersionFileContents{L"2.2.0.0", L"Fail"});
    EXPECT_TRUE(model.downloadEnabled());
    EXPECT_FALSE(model.download());
    EXPECT_EQ(model.resultLine(), L"Server information error !");

    model.finishCheck(VersionFileContents{L"2.2.0.0", L"file:///etc/passwd"});
    EXPECT_FALSE(model.download());
    EXPECT_EQ(model.resultLine(), L"Server information error !");

    model.finishCheck(VersionFileContents{L"2.2.0.0", L"https://d/r"});
    EXPECT_EQ(model.download(), L"https://d/r");

    model.finishCheck(std::nullopt);
    EXPECT_EQ(model.resultLine(), L"Can't connect server !");
}

TEST_F(VersionFileTest, TheUpdateServerComesFromTheSettingSection) {
    ShellSettings settings(ShellSettings::pathIn(folder_));
    EXPECT_EQ(settings.updateServer(), L"");
    std::ofstream(settings.path()) << "[Setting]\nUpdateServer=http://127.0.0.1:8080\n";
    EXPECT_EQ(settings.updateServer(), L"http://127.0.0.1:8080");
}

} // namespace
} // namespace zephlin
