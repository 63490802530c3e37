// The chip in the simulated writer's socket: its main and second flash
// arrays, its option words and its read protection. Flash behaves like
// flash: programming can only move bits away from the erased value, so
// writing over unerased bytes gives what a real chip gives.
#pragma once

#include "catalogue/chip_catalogue.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zephlin::sim {

enum class FlashArea : uint8_t { Main, Second };

struct SimulatedChip {
    int32_t chipIndex = -1;
    std::vector<uint8_t> mainArea;
    std::vector<uint8_t> secondArea;
    // The option area holds the part's option words and at least the nine
    // words a chip checksum needs.
    std::vector<uint32_t> optionWords;
    bool protectedByFault = false; // locked by the "locked" fault until erased

    // A factory-fresh chip: blank flash and blank option words.
    static SimulatedChip fresh(int32_t chipIndex);

    // Whether a chip's stored contents fit the part at its index.
    bool fitsItsPart() const;

    const ChipRecord& part() const;
    uint32_t erasedWord() const;
    std::vector<uint8_t>& area(FlashArea which);
    const std::vector<uint8_t>& area(FlashArea which) const;

    // Read protection as the stored option words (or the fault) set it.
    bool locked() const;

    // Writer operations; each returns the status word to answer.
    uint16_t erasePages(FlashArea which, uint32_t pageCount, uint32_t pageSize);
    uint16_t program(FlashArea which, uint32_t start, std::span<const uint8_t> data);
    uint16_t writeOptionBytes(std::span<const uint8_t> bytes);
    void eraseWholeChip();

    // length bytes from start; bytes beyond the area read as erased.
    std::vector<uint8_t> read(FlashArea which, uint32_t start, uint32_t length) const;
    std::vector<uint8_t> readOptionBytes(uint32_t length) const;

    // What the writer reads as the target's device ID.
    std::array<uint8_t, 4> deviceIdReply() const;
};

// Whether option words make a part's target read-protected. A blank option
// area (all words erased) never does: a whole-chip erase leaves the chip open.
bool optionWordsLock(const ChipRecord& part, std::span<const uint32_t> words);

} // namespace zephlin::sim
