#include "common/hex_text.h"
#include "common/text_pair.h"
#include "shell/core/ui_texts.h"
#include "support/utf8.h"

#include <gtest/gtest.h>

#include <set>

namespace zephlin {
namespace {

TEST(Texts, PairsPickTheirHalfByLanguage) {
    const TextPair pair = packedTextPair(L"Lock Device\0锁定芯片");
    EXPECT_EQ(pair.pick(Language::English), L"Lock Device");
    EXPECT_EQ(pair.pick(Language::Chinese), L"锁定芯片");
    EXPECT_TRUE(packedTextPair(nullptr).empty());
    EXPECT_EQ(languageFromFlag(1), Language::Chinese);
    EXPECT_EQ(languageFromFlag(2), Language::English);
}

TEST(Texts, TheLanguageSwitchTableNamesEachControlOnce) {
    std::set<int> seen;
    for (const ControlText& entry : languageSwitchTexts()) {
        EXPECT_TRUE(seen.insert(entry.id).second) << entry.id;
        EXPECT_FALSE(entry.text.english.empty()) << entry.id;
        EXPECT_FALSE(entry.text.chinese.empty()) << entry.id;
    }
    EXPECT_EQ(controlText(1002).pick(Language::Chinese), L"保存项目*.KDX");
    EXPECT_EQ(controlText(1016).pick(Language::English), L"PartNo : ");
    EXPECT_TRUE(controlText(1222).empty()); // Engineer keeps its text
}

TEST(Texts, CaptionAndTabTexts) {
    EXPECT_EQ(windowCaption(Language::English, 0x02010000), L"veltrix Zephlin v2.1.0.0");
    EXPECT_EQ(windowCaption(Language::Chinese, 0xFF0A0B0C), L"veltrix Zephlin v255.10.11.12");
    EXPECT_EQ(secondTabText(27).pick(Language::Chinese), L"数据存储区");
    EXPECT_EQ(secondTabText(21).pick(Language::English), L"IAP/ISP");
    EXPECT_TRUE(secondTabText(1).empty());
}

TEST(Texts, HexadecimalEntry) {
    EXPECT_TRUE(acceptsHexInput(L'a'));
    EXPECT_TRUE(acceptsHexInput(L'F'));
    EXPECT_TRUE(acceptsHexInput(L'\b'));
    EXPECT_FALSE(acceptsHexInput(L'g'));
    EXPECT_FALSE(acceptsHexInput(L'-'));
    EXPECT_EQ(parseHexPrefix(L""), 0u);
    EXPECT_EQ(parseHexPrefix(L"1a"), 0x1Au);
    EXPECT_EQ(parseHexPrefix(L"FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(parseHexPrefix(L"100000000"), 0xFFFFFFFFu);
    EXPECT_EQ(parseHexPrefix(L"0000000000012"), 0x12u);
    EXPECT_EQ(parseHexPrefix(L"12 34"), 0x12u);
    EXPECT_EQ(toUpperAscii(L"ab1f"), L"AB1F");
}

TEST(Texts, Utf8RoundTripsEvenMalformedInput) {
    const std::wstring text = L"Zephlin 芯片 \U0001F600";
    EXPECT_EQ(utf8::toWide(utf8::fromWide(text)), text);
    // Each byte of a malformed sequence stands for itself and comes back.
    EXPECT_EQ(utf8::toWide("\xE4\xB8"), L"\xDCE4\xDCB8");
    EXPECT_EQ(utf8::toWide("\xC0\xAF"), L"\xDCC0\xDCAF");
    EXPECT_EQ(utf8::toWide("\xED\xA0\x80"), L"\xDCED\xDCA0\xDC80");
    EXPECT_EQ(utf8::toWide("a\x80z"), L"a\xDC80z");
    for (const std::string bytes :
         {"o\xff.kdx", "\xE4\xB8\xAD\xE4\xB8", "\xF4\x90\x80\x80x", "\xC3(\xA9\xED\xB2\x80"}) {
        EXPECT_EQ(utf8::fromWide(utf8::toWide(bytes)), bytes);
    }
    EXPECT_EQ(utf8::fromWide(L"\xD800\xDC00"), "\xEF\xBF\xBD\xEF\xBF\xBD")
        << "a surrogate that stands for no byte is still invalid";
}

} // namespace
} // namespace zephlin
