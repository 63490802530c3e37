#include "shell/core/update_check.h"

#include "buffer/core/code_file_io.h"
#include "common/profile_file.h"
#include "shell/core/ui_texts.h"

#include "support/utf8.h"

#include <algorithm>
#include <system_error>

namespace zephlin {
namespace {

constexpr std::wstring_view kSection = L"Zephlin";
constexpr int32_t kChinaEdition = 1;
constexpr std::size_t kValueCharacters = 255;

wchar_t lowered(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// The text after an "http://" or "https://" prefix, in any case; nothing
// for another scheme.
std::optional<std::wstring_view> afterWebScheme(std::wstring_view address) {
    for (const std::wstring_view scheme :
         {std::wstring_view(L"http://"), std::wstring_view(L"https://")}) {
        if (address.size() >= scheme.size() &&
            std::equal(scheme.begin(), scheme.end(), address.begin(),
                       [](wchar_t a, wchar_t b) { return a == lowered(b); })) {
            return address.substr(scheme.size());
        }
    }
    return std::nullopt;
}

bool isHostCharacter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
           c == L'-' || c == L'.';
}

bool isIpv6Character(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F') ||
           c == L':' || c == L'.';
}

// "host", "host:port", "[v6]" or "[v6]:port", with a port of 1 to 65535.
bool isHostAndPort(std::wstring_view text) {
    std::wstring_view port;
    if (text.starts_with(L'[')) {
        const std::size_t close = text.find(L']');
        if (close == std::wstring_view::npos || close == 1 ||
            !std::all_of(text.begin() + 1, text.begin() + static_cast<std::ptrdiff_t>(close),
                         isIpv6Character)) {
            return false;
        }
        const std::wstring_view rest = text.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(L':')) {
            return false;
        }
        port = rest.empty() ? rest : rest.substr(1);
        if (!rest.empty() && port.empty()) {
            return false;
        }
    } else {
        const std::size_t colon = text.find(L':');
        const std::wstring_view host = text.substr(0, colon);
        if (host.empty() || !std::all_of(host.begin(), host.end(), isHostCharacter)) {
            return false;
        }
        if (colon != std::wstring_view::npos) {
            port = text.substr(colon + 1);
            if (port.empty()) {
                return false;
            }
        }
    }
    if (port.empty()) {
        return true;
    }
    if (port.size() > 5 ||
        !std::all_of(port.begin(), port.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        return false;
    }
    const unsigned long number = std::stoul(std::wstring(port));
    return number >= 1 && number <= 65535;
}

} // namespace

std::optional<std::string> versionFileAddress(std::wstring_view updateServer) {
    std::wstring_view server = updateServer.empty() ? kDefaultUpdateServer : updateServer;
    if (server.ends_with(L'/')) {
        server.remove_suffix(1);
    }
    const std::optional<std::wstring_view> rest = afterWebScheme(server);
    if (!rest || !isHostAndPort(*rest)) {
        return std::nullopt;
    }
    return utf8::fromWide(server) + std::string(kVersionFilePath);
}

std::optional<VersionFileContents> takeVersionFile(const std::filesystem::path& programFolder,
                                                   std::span<const uint8_t> bytes,
                                                   int32_t edition) {
    const std::filesystem::path path = programFolder / kVersionFileName;
    const bool oversized = bytes.size() > kMaximumVersionFileBytes;
    const bool stored = oversized || writeWholeFile(path, bytes);
    VersionFileContents contents;
    if (stored && !oversized) {
        const ProfileFile file(path);
        const bool china = edition == kChinaEdition;
        contents.releaseVersion =
            file.readString(kSection, china ? L"China_Version" : L"Universal_Version", kFailMarker,
                            kValueCharacters);
        contents.updateAddress = file.readString(kSection, china ? L"China_URL" : L"Universal_URL",
                                                 kFailMarker, kValueCharacters);
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (!stored) {
        return std::nullopt;
    }
    return contents;
}

bool isOpenableAddress(std::wstring_view address) {
    const std::optional<std::wstring_view> rest = afterWebScheme(address);
    if (!rest || rest->empty() || rest->front() == L'/') {
        return false;
    }
    return std::none_of(address.begin(), address.end(),
                        [](wchar_t c) { return c <= L' ' || c == 0x7F; });
}

CheckResult judgeCheck(const std::optional<VersionFileContents>& contents,
                       std::wstring_view ownVersion) {
    if (!contents) {
        return CheckResult::CannotConnect;
    }
    if (contents->releaseVersion == kFailMarker) {
        return CheckResult::ServerError;
    }
    return contents->releaseVersion == ownVersion ? CheckResult::Latest : CheckResult::NewVersion;
}

std::optional<std::wstring> startupOffer(const std::optional<VersionFileContents>& contents,
                                         std::wstring_view ownVersion, Language language) {
    if (judgeCheck(contents, ownVersion) != CheckResult::NewVersion ||
        contents->updateAddress == kFailMarker || !isOpenableAddress(contents->updateAddress)) {
        return std::nullopt;
    }
    return newVersionText(contents->releaseVersion, language);
}

std::wstring exclaimed(TextPair text, Language language) {
    std::wstring line(text.pick(language));
    line += L" !";
    return line;
}

std::wstring newVersionText(std::wstring_view releaseVersion, Language language) {
    std::wstring text(texts::kHaveNewVersion.pick(language));
    text += L"(v";
    text += releaseVersion;
    text += L")\n ";
    text += texts::kClickDownload.pick(language);
    return text;
}

std::wstring checkResultText(CheckResult result, std::wstring_view releaseVersion,
                             Language language) {
    switch (result) {
    case CheckResult::CannotConnect:
        return exclaimed(texts::kCannotConnect, language);
    case CheckResult::ServerError:
        return exclaimed(texts::kServerError, language);
    case CheckResult::NewVersion:
        return newVersionText(releaseVersion, language);
    case CheckResult::Latest:
        return exclaimed(texts::kAlreadyLatest, language);
    }
    return {};
}

std::wstring aboutCaption(Language language) {
    return L"Update " + std::wstring(texts::kProduct.pick(language));
}

std::wstring aboutVersionLine(Language language, uint32_t versionWord) {
    return std::wstring(texts::kProduct.pick(language)) + L" v" + versionText(versionWord);
}

} // namespace zephlin
