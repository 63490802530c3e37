// The target setup frame: the 18-byte command 0x0107 that asks the writer to
// power the target and identify it as a catalogue part.
#pragma once

#include "catalogue/chip_catalogue.h"
#include "link/command_frame.h"

namespace zephlin {

inline constexpr std::size_t kTargetSetupFrameSize = 18;

// Bytes 4..7 the identity the target must report, 12..15 the part's parameter
// word, 16 its chip type, 17 the erase-unlock request, which asks for a
// chip-type-16 target to be connected for an unlocking whole-chip erase.
CommandFrame targetSetupFrame(const ChipRecord& chip, bool eraseUnlock, FrameTag tag);

} // namespace zephlin
