// The parts the engine benchmarks run on, found by what they need.
#pragma once

#include "catalogue/chip_catalogue.h"

#include <cstdint>

namespace zephlin::bench {

// The first part in catalogue order whose main area has exactly this size,
// or -1.
inline int32_t partWithMainArea(uint32_t size) {
    const auto records = chipCatalogue();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].mainAreaSize == size) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

} // namespace zephlin::bench
