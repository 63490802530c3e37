#include "link/simulator/offline_store.h"

#include "support/byte_order.h"

#include <algorithm>
#include <optional>

namespace zephlin::sim {
namespace {

// Where a settings block of each format keeps the fields production uses.
struct Fields {
    std::size_t offlineFlags;
    std::size_t serialNumber;
    std::size_t currentNumber;
    std::size_t maxCounter;
    std::size_t currentCounter;
};

constexpr std::size_t kFormatOffset = 4;
constexpr uint8_t kAutoIncrement = 0x02;

std::optional<Fields> fieldsOf(std::span<const uint8_t> block) {
    if (block.size() <= kFormatOffset) {
        return std::nullopt;
    }
    std::optional<Fields> fields;
    switch (block[kFormatOffset]) {
    case 1:
        fields = Fields{21, 38, 42, 46, 48};
        break;
    case 2:
        fields = Fields{26, 43, 47, 51, 53};
        break;
    case 3:
    case 4:
        fields = Fields{36, 53, 57, 61, 63};
        break;
    default:
        return std::nullopt;
    }
    // The counter is the last field; a block too short for it is not usable.
    if (block.size() < fields->currentCounter + 2) {
        return std::nullopt;
    }
    return fields;
}

} // namespace

void OfflineStore::storeImage(std::span<const uint8_t> bytes) {
    image.assign(bytes.begin(), bytes.end());
}

void OfflineStore::storeSettings(std::span<const uint8_t> bytes) {
    settings.assign(bytes.begin(), bytes.begin() + std::min(bytes.size(), kOfflineInfoSize));
    currentCounter = 0;
    const auto fields = fieldsOf(settings);
    currentNumber = fields ? loadLe32(settings, fields->serialNumber) : 0;
}

std::array<uint8_t, kOfflineInfoSize> OfflineStore::info() const {
    std::array<uint8_t, kOfflineInfoSize> block;
    block.fill(0xFF);
    std::copy(settings.begin(), settings.end(), block.begin());
    if (const auto fields = fieldsOf(settings)) {
        storeLe32(block, fields->currentNumber, currentNumber);
        storeLe16(block, fields->currentCounter, currentCounter);
    }
    return block;
}

uint32_t OfflineStore::produce(uint32_t count) {
    const auto fields = fieldsOf(settings);
    if (!fields || image.empty()) {
        return 0;
    }
    const uint16_t maxCounter = loadLe16(settings, fields->maxCounter);
    const bool autoIncrement = (settings[fields->offlineFlags] & kAutoIncrement) != 0;
    uint32_t produced = 0;
    while (produced < count && currentCounter < maxCounter) {
        ++currentCounter;
        if (autoIncrement) {
            ++currentNumber;
        }
        ++produced;
    }
    return produced;
}

} // namespace zephlin::sim
