#include "buffer/core/code_buffer.h"

#include "common/wide_format.h"
#include "support/checksum16.h"

namespace zephlin {

PageInformation describeArea(std::span<const uint8_t> bytes, uint32_t capacity) {
    return {decimal(bytes.size()), upperHex(checksum16(bytes), 4),
            upperHex(areaChecksum16(bytes, capacity), 4)};
}

CodeBuffer::CodeBuffer(AreaStorage& mainArea, AreaStorage& secondArea)
    : storages_{&mainArea, &secondArea} {}

void CodeBuffer::resetForPart(uint32_t mainCapacity, uint32_t secondCapacity) {
    capacities_ = {mainCapacity, secondCapacity};
    // Both pages are emptied, so that no buffer outlives the part whose
    // capacities bound it, even when the new part has no second area.
    for (int page = 0; page < kPageCount; ++page) {
        storage(page).setBytes({});
        records_[page].clear();
    }
    loadAddress_ = 0;
}

bool CodeBuffer::setArea(int page, std::span<const uint8_t> bytes) {
    if (bytes.size() > capacity(page)) {
        return false;
    }
    storage(page).setBytes(bytes);
    return true;
}

std::vector<uint8_t> CodeBuffer::readArea(int page) const {
    return storage(page).bytes();
}

std::size_t CodeBuffer::length(int page) const {
    return storage(page).length();
}

PageInformation CodeBuffer::information(int page) const {
    return describeArea(readArea(page), capacity(page));
}

bool CodeBuffer::anyPageLoaded() const {
    return records_[kMainPage].loaded() || records_[kSecondPage].loaded();
}

} // namespace zephlin
