#include "shell/core/message_table.h"

#include <gtest/gtest.h>

#include <string>

namespace zephlin {
namespace {

struct Expected {
    uint16_t code;
    const wchar_t* english;
    const wchar_t* chinese;
};

TEST(MessageTable, EveryCodeHasItsTextInBothLanguages) {
    const Expected table[] = {
        {103, L"HID W/R error", L"HID装置读写错误"},
        {104, L"HID W/R error", L"HID装置读写错误"},
        {105, L"USB Connect error", L"USB装置连接错误"},
        {106, L"Update FW user cancel", L"取消更新FW"},
        {107, L"Update FW fail", L"更新FW失败"},
        {108, L"Status read error", L"状态读取错误"},
        {109, L"ID fail", L"ID错误"},
        {110, L"ID Locked", L"ID加密上锁"},
        {111, L"Not support PartNo", L"不支援此型号"},
        {112, L"Checksum error", L"检验和错误"},
        {113, L"Cancel", L"取消"},
        {114, L"Open file error", L"开启文件错误"},
        {115, L"KDX file checksum error", L"KDX文件检验和错误"},
        {116, L"KDX buffer checksum error", L"KDX代码检验和错误"},
        {117, L"KDX file tool ID error", L"KDX文件工具码错误"},
        {118, L"KDX PartNo not support !", L"KDX芯片型号不支援"},
        {120, L"Power on fail", L"上电失败"},
        {122, L"Info is empty", L"设置是空的"},
        {123, L"DUT no response", L"芯片无反应"},
        {124, L"File is too large !", L"文件太大了"},
    };
    for (const Expected& entry : table) {
        SCOPED_TRACE(entry.code);
        EXPECT_EQ(failureText(entry.code).pick(Language::English), entry.english);
        EXPECT_EQ(failureText(entry.code).pick(Language::Chinese), entry.chinese);
    }
}

TEST(MessageTable, CodesWithoutATextOfTheirOwnShowFail) {
    for (const uint16_t code : {0, 1, 100, 102, 119, 121, 125, 999, 0xFFFF}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(failureText(static_cast<uint16_t>(code)).pick(Language::English), L"Fail");
        EXPECT_EQ(failureText(static_cast<uint16_t>(code)).pick(Language::Chinese), L"失败");
    }
}

TEST(MessageTable, OutcomeOfSuccessIsPass) {
    EXPECT_EQ(outcomeText(101).pick(Language::English), L"Pass");
    EXPECT_EQ(outcomeText(101).pick(Language::Chinese), L"成功");
    EXPECT_EQ(outcomeText(105).pick(Language::English), L"USB Connect error");
}

} // namespace
} // namespace zephlin
