#include "shell/core/auto_process_model.h"

#include "Zephlin_DLL.h"

#include <algorithm>

namespace zephlin {
namespace {

constexpr std::array<AutoStepBox, 7> kBoxes{
    AutoStepBox{
        ids::kAutoWholeChipErase, ZEPHLIN_STEP_WHOLE_CHIP_ERASE, {L"WholeChip Erase", L"整片擦除"}},
    AutoStepBox{ids::kAutoErase, ZEPHLIN_STEP_ERASE, {L"Erase", L"擦除"}},
    AutoStepBox{ids::kAutoBlankCheck, ZEPHLIN_STEP_BLANK_CHECK, {L"Blank Check", L"空检测"}},
    AutoStepBox{ids::kAutoProgram, ZEPHLIN_STEP_PROGRAM, {L"Program", L"编程"}},
    AutoStepBox{ids::kAutoVerify, ZEPHLIN_STEP_VERIFY, {L"Verify", L"校验"}},
    AutoStepBox{ids::kAutoWriteOptions, ZEPHLIN_STEP_WRITE_OPTIONS, {L"Write Options", L"写选项"}},
    AutoStepBox{ids::kAutoSaveChecksum,
                ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM,
                {L"Save Chip Checksum", L"保存芯片检验和"}},
};

const AutoStepBox* boxOf(int id) {
    const auto* found = std::find_if(kBoxes.begin(), kBoxes.end(),
                                     [id](const AutoStepBox& box) { return box.id == id; });
    return found != kBoxes.end() ? found : nullptr;
}

void setBit(uint16_t& flags, uint16_t bit, bool set) {
    flags = static_cast<uint16_t>(set ? flags | bit : flags & ~bit);
}

} // namespace

const std::array<AutoStepBox, 7>& autoStepBoxes() {
    return kBoxes;
}

std::optional<bool> AutoProcessModel::ticked(int id) const {
    const AutoStepBox* box = boxOf(id);
    if (box == nullptr) {
        return std::nullopt;
    }
    // The boxes show the low eight bits; the in-sequence bit has none.
    return (flags_ & 0x00FFu & box->flag) != 0;
}

void AutoProcessModel::click(int id, bool ticked) {
    const AutoStepBox* box = boxOf(id);
    if (box == nullptr) {
        return;
    }
    setBit(flags_, box->flag, ticked);
    // Save Chip Checksum stores the checksum that Program computed, and
    // Write Options stores it: it goes with both, and without either.
    const int partner = id == ids::kAutoProgram        ? ids::kAutoWriteOptions
                        : id == ids::kAutoWriteOptions ? ids::kAutoProgram
                                                       : 0;
    if (partner == 0) {
        return;
    }
    if (!ticked) {
        setBit(flags_, ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM, false);
    } else if (this->ticked(partner).value_or(false)) {
        setBit(flags_, ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM, true);
    }
}

} // namespace zephlin
