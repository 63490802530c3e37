#include "shell/core/log_grammar.h"

#include <gtest/gtest.h>

#include <string>

namespace zephlin {
namespace {

class TextSink : public LogSink {
public:
    void append(std::wstring_view text) override { text_ += text; }
    void clear() override { text_.clear(); }
    std::wstring text_;
};

TEST(LogGrammar, EntryPiecesHaveTheirExactForm) {
    EXPECT_EQ(numberedHeader(0, L"Program") + L"Pass" + timeTrailer(1234),
              L"000 - Program =>Pass   [1.234\"]\r\n");
    EXPECT_EQ(stepHeader(L"Erase"), L"       Erase =>");
    EXPECT_EQ(autoStartLine(7, Language::English), L"007 - Auto ======>Start\r\n");
    EXPECT_EQ(autoEndLine(Language::Chinese), L"         自动 ======>End\r\n");
    EXPECT_EQ(checksumLine(0xAB1, Language::English), L"   Chip Checksum :  0x0AB1\r\n");
    EXPECT_EQ(checksumLine(0xFFFF, Language::Chinese), L"   芯片检验和 :  0xFFFF\r\n");
}

TEST(LogGrammar, TrailerShowsMillisecondsAsSecondsWithThreeDecimals) {
    EXPECT_EQ(timeTrailer(2), L"   [0.002\"]\r\n");
    EXPECT_EQ(timeTrailer(0), L"   [0.000\"]\r\n");
    EXPECT_EQ(timeTrailer(60'010), L"   [60.010\"]\r\n");
    EXPECT_EQ(timeTrailer(0xFFFFFFFFu), L"   [4294967.295\"]\r\n");
}

TEST(LogGrammar, ElapsedTicksSurviveAWrapOfTheCounter) {
    EXPECT_EQ(elapsedTicks(1000, 1500), 500u);
    EXPECT_EQ(elapsedTicks(0xFFFFFF00u, 0x00000064u), 0x164u);
    EXPECT_EQ(timeTrailer(elapsedTicks(0xFFFFFFFEu, 0)), L"   [0.002\"]\r\n");
}

TEST(OperationLog, NumbersEntriesFrom000AndWidensPast999) {
    TextSink sink;
    OperationLog log(sink);
    for (int i = 0; i < 999; ++i) {
        log.writeNumberedHeader(L"Erase");
    }
    sink.clear();
    log.writeNumberedHeader(L"Erase");
    log.writeNumberedHeader(L"Erase");
    EXPECT_EQ(sink.text_, L"999 - Erase =>1000 - Erase =>");
}

TEST(OperationLog, StepEntriesDoNotCountAndClearStartsAgainAt000) {
    TextSink sink;
    OperationLog log(sink);
    log.writeAutoStart(Language::English);
    log.writeStepHeader(L"Program");
    log.writeAutoEnd(Language::English);
    log.writeNumberedHeader(L"Verify");
    EXPECT_EQ(sink.text_,
              L"000 - Auto ======>Start\r\n       Program =>         Auto ======>End\r\n"
              L"001 - Verify =>");
    log.clear();
    EXPECT_TRUE(sink.text_.empty());
    log.writeNumberedHeader(L"Verify");
    EXPECT_EQ(sink.text_, L"000 - Verify =>");
}

TEST(OperationLog, EntriesKeepTheLanguageTheyWereWrittenIn) {
    TextSink sink;
    OperationLog log(sink);
    log.writeNumberedHeader(L"Erase");
    log.writeOutcome(103, Language::English);
    log.writeTimeTrailer(5);
    log.writeNumberedHeader(L"编程");
    log.writeOutcome(101, Language::Chinese);
    log.writeTimeTrailer(1234);
    EXPECT_EQ(sink.text_, L"000 - Erase =>HID W/R error   [0.005\"]\r\n"
                          L"001 - 编程 =>成功   [1.234\"]\r\n");
}

} // namespace
} // namespace zephlin
