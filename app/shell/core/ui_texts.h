// The main window's own texts: the language switch's table of control texts
// and the texts that commands and the window use by name.
#pragma once

#include "common/text_pair.h"

#include <cstdint>
#include <span>
#include <string>

namespace zephlin {

struct ControlText {
    int id;
    TextPair text;
};

// Every control whose text the language switch sets, with its text pair. The
// labels of the buffer pages (1810 to 1817) are included.
std::span<const ControlText> languageSwitchTexts();

// The text pair of a control in the table above; an empty pair when the
// control has none. Button texts are also the operation names of the log.
TextPair controlText(int id);

namespace texts {
inline constexpr TextPair kAutoReload{L"Auto Reload", L"自动重载"};
inline constexpr TextPair kAuto{L"Auto", L"自动"};
inline constexpr TextPair kChipChecksum{L"Chip Checksum : ", L"芯片检验和 : "};
inline constexpr TextPair kMainTab{L"Flash", L"Flash"};
inline constexpr TextPair kLanguageMenu{L"Language", L"Language"};
inline constexpr TextPair kEnglishEntry{L"English", L"English"};
inline constexpr TextPair kChineseEntry{L"简体中文", L"简体中文"};
inline constexpr TextPair kProduct{L"Zephlin", L"Zephlin"};
inline constexpr std::wstring_view kNoBodyInfo = L"DLL does not have any body info !";
} // namespace texts

// The text of the second buffer tab for a chip type: "IAP/ISP" for 21,
// "Data Flash" / "数据存储区" for 27, an empty text for any other type.
TextPair secondTabText(uint32_t chipType);

// "%d.%d.%d.%d" of the library's version word, most significant byte first.
std::wstring versionText(uint32_t versionWord);

// The window caption: maker, product and the four bytes of the library's
// version word, most significant first ("veltrix Zephlin v2.1.0.0").
std::wstring windowCaption(Language language, uint32_t versionWord);

} // namespace zephlin
