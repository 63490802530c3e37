// The update check's rules: where the version file comes from, how the
// downloaded file is read, how its release version is judged against the
// library's own, and which addresses the program hands to the browser. The
// version file comes from a server: nothing in it is trusted.
#pragma once

#include "common/text_pair.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zephlin {

// The server asked when Setting.ini names none, and the fixed path of the
// version file on any server.
inline constexpr std::wstring_view kDefaultUpdateServer = L"https://update.veltrix.example";
inline constexpr std::string_view kVersionFilePath = "/files/Download/Tools/tools_version.ini";
// The name of the downloaded file in the program folder.
inline constexpr std::string_view kVersionFileName = "tools_version.ini";
// A larger version file is not one: it is refused as a server error.
inline constexpr std::size_t kMaximumVersionFileBytes = 64 * 1024;
// The "Fail" of a missing key; never shown.
inline constexpr std::wstring_view kFailMarker = L"Fail";

// The address of the version file on a server given as "scheme://host[:port]"
// (http or https, a trailing '/' allowed); an empty text names the default
// server. Nothing when the text is not such an address.
std::optional<std::string> versionFileAddress(std::wstring_view updateServer);

struct VersionFileContents {
    std::wstring releaseVersion = std::wstring(kFailMarker);
    std::wstring updateAddress = std::wstring(kFailMarker);
};

// Stores downloaded bytes as "tools_version.ini" in the program folder, reads
// the release version and address of the edition (1: China_Version and
// China_URL, any other: Universal_Version and Universal_URL, section
// "Zephlin", "Fail" when missing) and removes the file again. Bytes beyond
// the size limit read as "Fail" for both. Nothing when the file cannot be
// stored, which counts as a failed download.
std::optional<VersionFileContents> takeVersionFile(const std::filesystem::path& programFolder,
                                                   std::span<const uint8_t> bytes, int32_t edition);

// Whether an address may be opened by the system's handler: an http or
// https address with a host, without blanks or control characters. Any other
// scheme (a file, a program) is refused.
bool isOpenableAddress(std::wstring_view address);

// What a check found.
enum class CheckResult {
    CannotConnect, // the download failed
    ServerError,   // no release version in the file
    NewVersion,    // a release version other than the own one
    Latest,        // the own version, exactly
};

// ownVersion is versionText of the library's version word. Only equality is
// tested: any other release version counts as new.
CheckResult judgeCheck(const std::optional<VersionFileContents>& contents,
                       std::wstring_view ownVersion);

// The offer of the start-up check, "%s(v%s)\n %s", when the file holds a
// release version other than the own one and an address that may be opened;
// nothing otherwise.
std::optional<std::wstring> startupOffer(const std::optional<VersionFileContents>& contents,
                                         std::wstring_view ownVersion, Language language);

namespace texts {
inline constexpr TextPair kShowUpdateMessage{L"Show update message when start", L"开启时提示更新"};
inline constexpr TextPair kCheck{L"Check", L"检测"};
inline constexpr TextPair kDownload{L"Download", L"下载"};
inline constexpr TextPair kCannotConnect{L"Can't connect server", L"无法连接伺服器"};
inline constexpr TextPair kServerError{L"Server information error", L"伺服器资讯错误"};
inline constexpr TextPair kHaveNewVersion{L"Have new version", L"有新版本"};
inline constexpr TextPair kClickDownload{L"Please click Download to update", L"请点击下载进行更新"};
inline constexpr TextPair kAlreadyLatest{L"Already the latest version", L"已经是最新版本"};
} // namespace texts

// "%s !" of a text pair.
std::wstring exclaimed(TextPair text, Language language);
// "%s(v%s)\n %s": the announcement of a new release.
std::wstring newVersionText(std::wstring_view releaseVersion, Language language);
// The result line of a check.
std::wstring checkResultText(CheckResult result, std::wstring_view releaseVersion,
                             Language language);
// "Update %s" with the product word.
std::wstring aboutCaption(Language language);
// "%s v%d.%d.%d.%d": the product word and the library's version.
std::wstring aboutVersionLine(Language language, uint32_t versionWord);

} // namespace zephlin
