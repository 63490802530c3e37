#include "link/simulator/simulated_chip.h"

#include "link/simulator/box_status.h"
#include "support/byte_order.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>

namespace zephlin::sim {
namespace {

constexpr std::size_t kMinimumOptionWords = 9;

std::size_t optionCapacity(const ChipRecord& part) {
    return std::max<std::size_t>(part.optionWordCount, kMinimumOptionWords);
}

uint32_t replicate(uint8_t byte) {
    return uint32_t{byte} * 0x01010101u;
}

// Descriptor-codec parts: the check slot named "LOCK" holds an active-low lock bit.
bool lockBitCleared(const ChipRecord& part, std::span<const uint32_t> words) {
    for (const CheckDescriptor& check : part.checks) {
        if (std::wcscmp(check.name, L"LOCK") == 0 && check.mask != 0) {
            return check.wordIndex < words.size() && (words[check.wordIndex] & check.mask) == 0;
        }
    }
    return false;
}

} // namespace

bool optionWordsLock(const ChipRecord& part, std::span<const uint32_t> words) {
    const uint32_t erased = replicate(part.erasedValue);
    if (std::all_of(words.begin(), words.end(), [&](uint32_t w) { return w == erased; })) {
        return false;
    }
    auto word = [&](std::size_t i) { return i < words.size() ? words[i] : erased; };
    switch (part.chipType) {
    case 13:
        return (word(4) & 0x3u) != 0; // the LOCK field
    case 14:
        return (word(0) & 0xFFu) != 0xA5u; // read protection off only with 0xA5
    case 16:
        return (word(0) & 0x1u) == 0; // SWD protected
    case 17:
    case 18:
    case 27:
        return (word(0) & 0x5AA5u) != 0x5AA5u;
    default:
        return lockBitCleared(part, words);
    }
}

SimulatedChip SimulatedChip::fresh(int32_t chipIndex) {
    const ChipRecord* record = findChip(chipIndex);
    if (record == nullptr) {
        throw std::invalid_argument("no such part");
    }
    SimulatedChip chip;
    chip.chipIndex = chipIndex;
    chip.mainArea.assign(record->mainAreaSize, record->erasedValue);
    chip.secondArea.assign(record->secondAreaSize, record->erasedValue);
    chip.optionWords.assign(optionCapacity(*record), replicate(record->erasedValue));
    return chip;
}

bool SimulatedChip::fitsItsPart() const {
    const ChipRecord* record = findChip(chipIndex);
    return record != nullptr && mainArea.size() == record->mainAreaSize &&
           secondArea.size() == record->secondAreaSize &&
           optionWords.size() == optionCapacity(*record);
}

const ChipRecord& SimulatedChip::part() const {
    return *findChip(chipIndex);
}

uint32_t SimulatedChip::erasedWord() const {
    return replicate(part().erasedValue);
}

std::vector<uint8_t>& SimulatedChip::area(FlashArea which) {
    return which == FlashArea::Main ? mainArea : secondArea;
}

const std::vector<uint8_t>& SimulatedChip::area(FlashArea which) const {
    return which == FlashArea::Main ? mainArea : secondArea;
}

bool SimulatedChip::locked() const {
    return protectedByFault || optionWordsLock(part(), optionWords);
}

uint16_t SimulatedChip::erasePages(FlashArea which, uint32_t pageCount, uint32_t pageSize) {
    const ChipRecord& record = part();
    const uint32_t partPage =
        which == FlashArea::Main ? record.mainPageSize : record.secondPageSize;
    std::vector<uint8_t>& flash = area(which);
    if (flash.empty() || pageSize != partPage || pageCount == 0) {
        return box_status::kRefused;
    }
    const uint64_t bytes = std::min<uint64_t>(uint64_t{pageCount} * pageSize, flash.size());
    std::fill_n(flash.begin(), static_cast<std::ptrdiff_t>(bytes), record.erasedValue);
    return box_status::kDone;
}

uint16_t SimulatedChip::program(FlashArea which, uint32_t start, std::span<const uint8_t> data) {
    std::vector<uint8_t>& flash = area(which);
    if (start > flash.size() || flash.size() - start < data.size()) {
        return box_status::kRefused;
    }
    const bool erasedHigh = part().erasedValue != 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        uint8_t& cell = flash[start + i];
        cell = erasedHigh ? static_cast<uint8_t>(cell & data[i])
                          : static_cast<uint8_t>(cell | data[i]);
    }
    return box_status::kDone;
}

uint16_t SimulatedChip::writeOptionBytes(std::span<const uint8_t> bytes) {
    if (bytes.empty() || bytes.size() % 4 != 0 || bytes.size() / 4 > optionWords.size()) {
        return box_status::kRefused;
    }
    // The option area is erased and reprogrammed as a whole.
    std::fill(optionWords.begin(), optionWords.end(), erasedWord());
    for (std::size_t i = 0; i < bytes.size() / 4; ++i) {
        optionWords[i] = loadLe32(bytes, 4 * i);
    }
    return box_status::kDone;
}

void SimulatedChip::eraseWholeChip() {
    const uint8_t erased = part().erasedValue;
    std::fill(mainArea.begin(), mainArea.end(), erased);
    std::fill(secondArea.begin(), secondArea.end(), erased);
    std::fill(optionWords.begin(), optionWords.end(), erasedWord());
    protectedByFault = false;
}

std::vector<uint8_t> SimulatedChip::read(FlashArea which, uint32_t start, uint32_t length) const {
    const std::vector<uint8_t>& flash = area(which);
    std::vector<uint8_t> bytes(length, part().erasedValue);
    if (start < flash.size()) {
        const std::size_t n = std::min<std::size_t>(length, flash.size() - start);
        std::copy_n(flash.begin() + start, n, bytes.begin());
    }
    return bytes;
}

std::vector<uint8_t> SimulatedChip::readOptionBytes(uint32_t length) const {
    std::vector<uint8_t> bytes(length, part().erasedValue);
    for (std::size_t i = 0; i < length; ++i) {
        if (i / 4 < optionWords.size()) {
            bytes[i] = static_cast<uint8_t>(optionWords[i / 4] >> (8 * (i % 4)));
        }
    }
    return bytes;
}

std::array<uint8_t, 4> SimulatedChip::deviceIdReply() const {
    const ChipRecord& record = part();
    std::array<uint8_t, 4> reply{};
    if (usesFullDeviceId(record.chipType)) {
        storeLe32(reply, 0, record.deviceId);
    } else {
        // The short-ID families answer their 16-bit ID, 5, and a revision
        // byte that nobody checks.
        storeLe32(reply, 0, targetIdentityWord(record) | 0x01000000u);
    }
    return reply;
}

} // namespace zephlin::sim
