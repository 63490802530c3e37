// What a record asks of the part's flash areas, checked before the writer is
// opened: the library never reads or writes past what the caller gave, and
// never asks the writer for bytes the part does not have.
#pragma once

#include "Zephlin_DLL.h"

#include <cstdint>
#include <span>

namespace zephlin {

// Erase pages of an area: the last page may be partly used.
inline uint32_t pageCount(uint32_t areaSize, uint32_t pageSize) {
    return pageSize == 0 ? 0
                         : static_cast<uint32_t>((uint64_t{areaSize} + pageSize - 1) / pageSize);
}

// Whether size bytes from start lie inside an area of areaSize bytes; no
// bytes always fit.
inline bool fitsArea(uint32_t start, uint32_t size, uint32_t areaSize) {
    return size == 0 || uint64_t{start} + size <= areaSize;
}

// An image pointer may be missing only when no bytes are asked of it.
inline bool imageGiven(const uint8_t* image, uint32_t size) {
    return size == 0 || image != nullptr;
}

inline std::span<const uint8_t> imageBytes(const uint8_t* image, uint32_t size) {
    return size == 0 ? std::span<const uint8_t>() : std::span<const uint8_t>(image, size);
}

// The main-area step when the code size selects it, then the second-area step
// when the data size does; the first result other than 101 ends the run.
template <class MainStep, class SecondStep>
uint16_t forSelectedAreas(const ZephlinContext& record, MainStep&& mainStep,
                          SecondStep&& secondStep) {
    if (record.codeSize != 0) {
        const uint16_t result = mainStep();
        if (result != ZEPHLIN_RESULT_PASS) {
            return result;
        }
    }
    return record.dataSize != 0 ? secondStep() : uint16_t{ZEPHLIN_RESULT_PASS};
}

} // namespace zephlin
