// Building blocks shared by the option-word codecs of the chip families.
#pragma once

#include "catalogue/chip_catalogue.h"
#include "operations/option_settings.h"

#include <span>
#include <vector>

namespace zephlin::codec {

constexpr uint32_t bit(unsigned n) {
    return 1u << n;
}

// Option words being built. Indexing is bounds-checked: a family rule that
// names a word the part does not have is a catalogue fault, not a silent write.
class WordsUnderConstruction {
public:
    explicit WordsUnderConstruction(std::vector<uint32_t>& words) : words_(words) {}

    uint32_t& operator[](std::size_t index) { return words_.at(index); }
    void clear(std::size_t index, uint32_t mask) { words_.at(index) &= ~mask; }
    void set(std::size_t index, uint32_t mask) { words_.at(index) |= mask; }
    // Most option bits are active low: an enabled option clears them.
    void clearWhen(bool condition, std::size_t index, uint32_t mask) {
        if (condition) {
            clear(index, mask);
        } else {
            set(index, mask);
        }
    }
    void setLowHalf(std::size_t index, uint32_t value) {
        words_.at(index) = (words_.at(index) & 0xFFFF0000u) | (value & 0xFFFFu);
    }
    // Byte `to` of a word becomes the complement of byte `from`.
    void complementByte(std::size_t index, unsigned from, unsigned to);

private:
    std::vector<uint32_t>& words_;
};

// Option words being decoded; a word beyond the input reads as erased.
class WordsToDecode {
public:
    explicit WordsToDecode(std::span<const uint32_t> words) : words_(words) {}

    uint32_t operator[](std::size_t index) const {
        return index < words_.size() ? words_[index] : 0xFFFFFFFFu;
    }
    bool isClear(std::size_t index, uint32_t mask) const { return ((*this)[index] & mask) == 0; }
    uint32_t lowHalf(std::size_t index) const { return (*this)[index] & 0xFFFFu; }

private:
    std::span<const uint32_t> words_;
};

// Select slots 0 to 5 as the descriptors say: the watchdog divider's field
// holds its value, every other field the complement of it.
void buildDescriptorSelects(const ChipRecord& chip, const OptionSettings& settings,
                            WordsUnderConstruction& words);
void decodeDescriptorSelects(const ChipRecord& chip, const WordsToDecode& words,
                             OptionSettings& settings);

// The fixed-pattern families. Each returns false when the chip type is not
// one of them.
bool buildFixedPattern(const ChipRecord& chip, const OptionSettings& settings,
                       WordsUnderConstruction& words);
bool decodeFixedPattern(const ChipRecord& chip, const WordsToDecode& words,
                        OptionSettings& settings);

} // namespace zephlin::codec
