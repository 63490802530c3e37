#include "shell/core/message_table.h"

#include "Zephlin_DLL.h"

#include <algorithm>
#include <array>

namespace zephlin {
namespace {

struct Message {
    uint16_t code;
    TextPair text;
};

constexpr std::array kMessages{
    Message{ZEPHLIN_RESULT_SEND_ERROR, {L"HID W/R error", L"HID装置读写错误"}},
    Message{ZEPHLIN_RESULT_READ_ERROR, {L"HID W/R error", L"HID装置读写错误"}},
    Message{ZEPHLIN_RESULT_NO_WRITER, {L"USB Connect error", L"USB装置连接错误"}},
    Message{ZEPHLIN_RESULT_UPDATE_DECLINED, {L"Update FW user cancel", L"取消更新FW"}},
    Message{ZEPHLIN_RESULT_UPDATE_FAILED, {L"Update FW fail", L"更新FW失败"}},
    Message{ZEPHLIN_RESULT_STATUS_READ_ERROR, {L"Status read error", L"状态读取错误"}},
    Message{ZEPHLIN_RESULT_ID_MISMATCH, {L"ID fail", L"ID错误"}},
    Message{ZEPHLIN_RESULT_TARGET_LOCKED, {L"ID Locked", L"ID加密上锁"}},
    Message{ZEPHLIN_RESULT_PART_NOT_SUPPORTED, {L"Not support PartNo", L"不支援此型号"}},
    Message{ZEPHLIN_RESULT_CHECKSUM_ERROR, {L"Checksum error", L"检验和错误"}},
    Message{ZEPHLIN_RESULT_CANCELLED, {L"Cancel", L"取消"}},
    Message{ZEPHLIN_RESULT_OPEN_FILE_ERROR, {L"Open file error", L"开启文件错误"}},
    Message{ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR,
            {L"KDX file checksum error", L"KDX文件检验和错误"}},
    Message{ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR,
            {L"KDX buffer checksum error", L"KDX代码检验和错误"}},
    Message{ZEPHLIN_RESULT_KDX_TOOL_ID_ERROR, {L"KDX file tool ID error", L"KDX文件工具码错误"}},
    Message{ZEPHLIN_RESULT_KDX_PART_NOT_SUPPORTED,
            {L"KDX PartNo not support !", L"KDX芯片型号不支援"}},
    Message{ZEPHLIN_RESULT_POWER_ON_FAIL, {L"Power on fail", L"上电失败"}},
    Message{ZEPHLIN_RESULT_INFO_EMPTY, {L"Info is empty", L"设置是空的"}},
    Message{ZEPHLIN_RESULT_NO_RESPONSE, {L"DUT no response", L"芯片无反应"}},
    Message{ZEPHLIN_RESULT_FILE_TOO_LARGE, {L"File is too large !", L"文件太大了"}},
};

constexpr TextPair kFail{L"Fail", L"失败"};

} // namespace

TextPair passText() {
    return {L"Pass", L"成功"};
}

TextPair failureText(uint16_t resultCode) {
    const auto* found =
        std::find_if(kMessages.begin(), kMessages.end(),
                     [resultCode](const Message& m) { return m.code == resultCode; });
    return found != kMessages.end() ? found->text : kFail;
}

TextPair outcomeText(uint16_t resultCode) {
    return resultCode == ZEPHLIN_RESULT_PASS ? passText() : failureText(resultCode);
}

} // namespace zephlin
