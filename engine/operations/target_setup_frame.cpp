#include "operations/target_setup_frame.h"

namespace zephlin {

CommandFrame targetSetupFrame(const ChipRecord& chip, bool eraseUnlock, FrameTag tag) {
    constexpr std::size_t kIdentity = 4;
    constexpr std::size_t kParameter = 12;
    constexpr std::size_t kChipType = 16;
    constexpr std::size_t kEraseUnlock = 17;
    CommandFrame result(command::kTargetSetup, tag, kTargetSetupFrameSize);
    result.put32(kIdentity, targetIdentityWord(chip));
    result.put32(kParameter, chip.parameterWord);
    result.put8(kChipType, chip.chipType);
    result.put8(kEraseUnlock, eraseUnlock ? 1 : 0);
    return result;
}

} // namespace zephlin
