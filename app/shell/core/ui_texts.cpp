#include "shell/core/ui_texts.h"

#include "common/wide_format.h"
#include "shell/core/control_ids.h"

#include <algorithm>
#include <array>

namespace zephlin {
namespace {

constexpr TextPair kSet{L"Set", L"设置"};
constexpr TextPair kNow{L"Now", L"读取"};
constexpr TextPair kFilePath{L"File Path : ", L"文件路径 : "};
constexpr TextPair kBufferSize{L"Buffer Size : ", L"缓冲区大小 : "};
constexpr TextPair kBufferChecksum{L"Buffer Checksum : ", L"缓冲区检验和 : "};

constexpr std::array kControlTexts{
    ControlText{ids::kPartNoLabel, {L"PartNo : ", L"芯片型号 : "}},
    ControlText{1810, kFilePath},
    ControlText{1814, kFilePath},
    ControlText{1811, kBufferSize},
    ControlText{1815, kBufferSize},
    ControlText{1812, kBufferChecksum},
    ControlText{1816, kBufferChecksum},
    ControlText{1813, texts::kChipChecksum},
    ControlText{1817, texts::kChipChecksum},
    ControlText{ids::kCodeBufferGroup, {L"Code Buffer", L"代码缓冲区"}},
    ControlText{ids::kOptionGroup, {L"H/W Option", L"硬件选项"}},
    ControlText{ids::kMessageGroup, {L"Message", L"消息框"}},
    ControlText{ids::kCheckSetHeading, kSet},
    ControlText{ids::kSelectSetLabel + 0, kSet},
    ControlText{ids::kSelectSetLabel + 1, kSet},
    ControlText{ids::kSelectSetLabel + 2, kSet},
    ControlText{ids::kSelectSetLabel + 3, kSet},
    ControlText{ids::kSelectSetLabel + 4, kSet},
    ControlText{ids::kSelectSetLabel + 5, kSet},
    ControlText{ids::kCheckNowHeading, kNow},
    ControlText{ids::kSelectNowLabel + 0, kNow},
    ControlText{ids::kSelectNowLabel + 1, kNow},
    ControlText{ids::kSelectNowLabel + 2, kNow},
    ControlText{ids::kSelectNowLabel + 3, kNow},
    ControlText{ids::kSelectNowLabel + 4, kNow},
    ControlText{ids::kSelectNowLabel + 5, kNow},
    ControlText{ids::kLoadFile, {L"Load File", L"打开文件"}},
    ControlText{ids::kSaveBuffer, {L"Save Buffer", L"保存数据"}},
    ControlText{ids::kSaveKdx, {L"Save KDX", L"保存项目*.KDX"}},
    ControlText{ids::kDumpTarget, {L"Dump Target", L"读目标芯片"}},
    ControlText{ids::kInsertIspCode, {L"Insert ISP-code", L"插入ISP代码"}},
    ControlText{ids::kOffLineMode, {L"Off-Line Mode", L"脱机模式"}},
    ControlText{ids::kCheckId, {L"Check ID", L"ID检测"}},
    ControlText{ids::kErase, {L"Erase", L"擦除"}},
    ControlText{ids::kBlankCheck, {L"Blank Check", L"空检测"}},
    ControlText{ids::kProgram, {L"Program", L"编程"}},
    ControlText{ids::kVerify, {L"Verify", L"校验"}},
    ControlText{ids::kAuto, texts::kAuto},
    ControlText{ids::kWriteOptions, {L"Write Options", L"写选项"}},
    ControlText{ids::kReadOptions, {L"Read Options", L"读选项"}},
    ControlText{ids::kWholeChipErase, {L"WholeChip Erase", L"整片擦除"}},
    ControlText{ids::kClear, {L"Clear", L"清除"}},
    ControlText{ids::kEnableModifyBuffer, {L"Enable Modify Buffer", L"开启修改缓冲区"}},
    ControlText{ids::kAutoReload, texts::kAutoReload},
    ControlText{ids::kReadChipChecksum, {L"Read Chip Checksum", L"读取芯片检验和"}},
};

} // namespace

std::span<const ControlText> languageSwitchTexts() {
    return kControlTexts;
}

TextPair controlText(int id) {
    const auto* found = std::find_if(kControlTexts.begin(), kControlTexts.end(),
                                     [id](const ControlText& entry) { return entry.id == id; });
    return found != kControlTexts.end() ? found->text : TextPair{};
}

TextPair secondTabText(uint32_t chipType) {
    switch (chipType) {
    case 21:
        return {L"IAP/ISP", L"IAP/ISP"};
    case 27:
        return {L"Data Flash", L"数据存储区"};
    default:
        return {};
    }
}

std::wstring versionText(uint32_t versionWord) {
    std::wstring text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += decimal((versionWord >> shift) & 0xFFu);
        if (shift != 0) {
            text += L'.';
        }
    }
    return text;
}

std::wstring windowCaption(Language language, uint32_t versionWord) {
    constexpr TextPair kMaker{L"veltrix", L"veltrix"};
    std::wstring caption(kMaker.pick(language));
    caption += L' ';
    caption += texts::kProduct.pick(language);
    caption += L" v";
    caption += versionText(versionWord);
    return caption;
}

} // namespace zephlin
