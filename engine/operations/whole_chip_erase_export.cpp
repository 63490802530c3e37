// WholeChipErase: erases flash and option words (which also removes a read
// protection), powers the target down and up again, and writes the part's
// default option words back with the lock released.
#include "Zephlin_DLL.h"
#include "link/exchanges.h"
#include "link/target_session.h"
#include "operations/device_export.h"
#include "operations/session_start.h"
#include "operations/writer_transfers.h"

#include <cwchar>
#include <vector>

namespace zephlin {
namespace {

// The families whose lock is one active-low bit in a check slot named "LOCK".
bool mayHaveLockBit(uint8_t chipType) {
    switch (chipType) {
    case 1:
    case 4:
    case 17:
    case 18:
    case 19:
    case 21:
    case 27:
        return true;
    default:
        return false;
    }
}

// The catalogue's default option words, with the lock bit of the first check
// slot named exactly "LOCK" set (unlocked); other families get their
// defaults unchanged.
std::vector<uint32_t> unlockedDefaultOptionWords(const ChipRecord& chip) {
    std::vector<uint32_t> words = defaultOptionWords(chip);
    if (!mayHaveLockBit(chip.chipType)) {
        return words;
    }
    for (const CheckDescriptor& check : chip.checks) {
        if (std::wcscmp(check.name, L"LOCK") == 0) {
            if (check.wordIndex < words.size()) {
                words[check.wordIndex] |= check.mask;
            }
            break;
        }
    }
    return words;
}

uint16_t resultOfSecondSetup(TargetSetup setup) {
    switch (setup) {
    case TargetSetup::Ready:
        return ZEPHLIN_RESULT_PASS;
    case TargetSetup::IdMismatch:
        return ZEPHLIN_RESULT_ID_MISMATCH;
    case TargetSetup::Locked:
        return ZEPHLIN_RESULT_TARGET_LOCKED;
    default:
        return ZEPHLIN_RESULT_POWER_ON_FAIL;
    }
}

uint16_t wholeChipErase(const ChipRecord& chip) {
    // A locked target is what this export is for. A protected chip-type-16
    // target must be connected for the unlocking erase in the first setup.
    const SessionRequest request{.acceptLockedTarget = true, .eraseUnlock = chip.chipType == 16};
    if (const auto failure = beginSession(chip, request)) {
        return *failure;
    }
    const uint16_t erased = resultOfStatusExchange(
        command::kEraseWholeChip,
        commandExchange(commandFrame(command::kEraseWholeChip, FrameTag::fresh())));
    if (erased != ZEPHLIN_RESULT_PASS) {
        return endSessionWith(erased);
    }
    if (endOfTarget() != link_code::kDone) {
        return ZEPHLIN_RESULT_END_OF_TARGET_FAIL; // no session end: the target did not power down
    }
    const uint16_t setUp = resultOfSecondSetup(setUpTarget(chip, false));
    if (setUp != ZEPHLIN_RESULT_PASS) {
        return endSessionWith(setUp);
    }
    return endSessionWith(writeOptionWordsToWriter(unlockedDefaultOptionWords(chip)));
}

} // namespace
} // namespace zephlin

extern "C" ZEPHLIN_API uint16_t WholeChipErase(ZephlinContext* context) {
    return zephlin::runDeviceExport(
        context, [](ZephlinContext&, const zephlin::ChipRecord& chip, const zephlin::ResultWord&) {
            return zephlin::wholeChipErase(chip);
        });
}
