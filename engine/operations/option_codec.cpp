#include "operations/option_codec.h"

#include "operations/option_codec_rules.h"

#include <algorithm>
#include <bit>
#include <cwchar>

namespace zephlin {
namespace codec {
namespace {

constexpr uint32_t kWatchdogDividerCap = 12; // "F/4096", the last choice
constexpr std::size_t kDescriptorSelectSlots = 6;
constexpr std::size_t kChipChecksumWord = 8;

bool isWatchdogDivider(const SelectDescriptor& slot) {
    return std::wcscmp(slot.name, L"IWDT_DIV") == 0;
}

unsigned fieldShift(uint32_t mask) {
    return mask == 0 ? 0 : static_cast<unsigned>(std::countr_zero(mask));
}

bool isUnused(const wchar_t* name) {
    return std::wcscmp(name, kUnusedSlotName) == 0;
}

void buildDescriptorChecks(const ChipRecord& chip, const OptionSettings& settings,
                           WordsUnderConstruction& words) {
    for (std::size_t k = 0; k < chip.checks.size(); ++k) {
        const CheckDescriptor& slot = chip.checks[k];
        if (!isUnused(slot.name)) {
            words.clearWhen(settings.isChecked(k), slot.wordIndex, slot.mask);
        }
    }
}

void decodeDescriptorChecks(const ChipRecord& chip, const WordsToDecode& words,
                            OptionSettings& settings) {
    for (std::size_t k = 0; k < chip.checks.size(); ++k) {
        const CheckDescriptor& slot = chip.checks[k];
        settings.check[k] = words.isClear(slot.wordIndex, slot.mask) ? 1 : 0;
    }
}

void appendChipChecksum(const ChipRecord& chip, ChecksumRequest request,
                        std::vector<uint32_t>& words) {
    constexpr uint16_t kBoth = ZEPHLIN_STEP_IN_SEQUENCE | ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM;
    if (chip.checksumSaveFlag != 1 || (request.stepFlags & kBoth) != kBoth) {
        return;
    }
    if (words.size() <= kChipChecksumWord) {
        words.resize(kChipChecksumWord + 1, 0xFFFFFFFFu);
    }
    words[kChipChecksumWord] = 0xFFFF0000u + request.codeAreaChecksum;
}

} // namespace

void WordsUnderConstruction::complementByte(std::size_t index, unsigned from, unsigned to) {
    uint32_t& word = words_.at(index);
    const uint32_t complement = ~(word >> (8 * from)) & 0xFFu;
    word = (word & ~(0xFFu << (8 * to))) | (complement << (8 * to));
}

void buildDescriptorSelects(const ChipRecord& chip, const OptionSettings& settings,
                            WordsUnderConstruction& words) {
    for (std::size_t k = 0; k < kDescriptorSelectSlots; ++k) {
        const SelectDescriptor& slot = chip.selects[k];
        // The value never reaches bits outside its field, whatever the caller sent.
        const uint32_t field = (settings.select[k] << fieldShift(slot.mask)) & slot.mask;
        if (isWatchdogDivider(slot)) {
            words[slot.wordIndex] = (words[slot.wordIndex] & ~slot.mask) | field;
        } else {
            words.clear(slot.wordIndex, field);
        }
    }
}

void decodeDescriptorSelects(const ChipRecord& chip, const WordsToDecode& words,
                             OptionSettings& settings) {
    for (std::size_t k = 0; k < kDescriptorSelectSlots; ++k) {
        const SelectDescriptor& slot = chip.selects[k];
        const uint32_t word = words[slot.wordIndex];
        const unsigned shift = fieldShift(slot.mask);
        if (isWatchdogDivider(slot)) {
            settings.select[k] = std::min((word & slot.mask) >> shift, kWatchdogDividerCap);
        } else {
            settings.select[k] = (~word & slot.mask) >> shift;
        }
    }
}

} // namespace codec

std::vector<uint32_t> buildOptionWords(const ChipRecord& chip, const OptionSettings& settings,
                                       ChecksumRequest checksum) {
    std::vector<uint32_t> words = defaultOptionWords(chip);
    codec::WordsUnderConstruction construction(words);
    if (!codec::buildFixedPattern(chip, settings, construction)) {
        codec::buildDescriptorSelects(chip, settings, construction);
        codec::buildDescriptorChecks(chip, settings, construction);
        codec::appendChipChecksum(chip, checksum, words);
    }
    return words;
}

void decodeOptionWords(const ChipRecord& chip, std::span<const uint32_t> words,
                       OptionSettings& settings) {
    const codec::WordsToDecode input(words);
    if (!codec::decodeFixedPattern(chip, input, settings)) {
        codec::decodeDescriptorSelects(chip, input, settings);
        codec::decodeDescriptorChecks(chip, input, settings);
    }
}

std::vector<uint32_t> buildOptionWords(const ZephlinContext& context) {
    const ChipRecord* chip = findChip(context.chipIndex);
    if (chip == nullptr) {
        return {};
    }
    return buildOptionWords(*chip, optionSettingsOf(context),
                            {context.stepFlags, context.codeAreaChecksum});
}

void decodeOptionWords(ZephlinContext& context, std::span<const uint32_t> words) {
    const ChipRecord* chip = findChip(context.chipIndex);
    if (chip == nullptr) {
        return;
    }
    OptionSettings settings = optionSettingsOf(context);
    decodeOptionWords(*chip, words, settings);
    storeOptionSettings(context, settings);
}

} // namespace zephlin
