// The option-word codec: option settings to a part's option words and back.
// Chip types 1, 4, 19 and 21 (and any unknown type) are driven entirely by the
// catalogue's slot descriptors; the others have fixed bit patterns.
#pragma once

#include "catalogue/chip_catalogue.h"
#include "operations/option_settings.h"

#include <span>
#include <vector>

namespace zephlin {

// What the builder reads besides the settings: with both ZEPHLIN_STEP_IN_SEQUENCE
// and ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM set, a part with the checksum-save flag
// gets word 8 = 0xFFFF0000 + code-area checksum.
struct ChecksumRequest {
    uint16_t stepFlags = 0;
    uint16_t codeAreaChecksum = 0;
};

// The part's option words for these settings: its option-word count of them,
// or at least 9 when the chip checksum word is appended.
std::vector<uint32_t> buildOptionWords(const ChipRecord& chip, const OptionSettings& settings,
                                       ChecksumRequest checksum);

// Decodes the part's words into settings. Only the cells the chip type defines
// are written; the others keep their values. Words missing from a short input
// read as erased (0xFFFFFFFF).
void decodeOptionWords(const ChipRecord& chip, std::span<const uint32_t> words,
                       OptionSettings& settings);

// The same on an operation context record, for the part at its chip index.
// An unknown chip index builds no words and decodes nothing.
std::vector<uint32_t> buildOptionWords(const ZephlinContext& context);
void decodeOptionWords(ZephlinContext& context, std::span<const uint32_t> words);

} // namespace zephlin
