// A body-info record with every option cell unused, for tests to fill in.
#pragma once

#include "Zephlin_DLL.h"

#include <cstdint>

namespace zephlin::testing {

inline ZephlinBodyInfo unusedPart(uint32_t mainSize, uint32_t secondSize = 0) {
    ZephlinBodyInfo part{};
    part.partName = L"Test part";
    part.mainAreaSize = mainSize;
    part.secondAreaSize = secondSize;
    for (ZephlinSelectCell& cell : part.selectCells) {
        cell.name = L"NA";
        cell.choices.list = L"NA";
    }
    for (ZephlinCheckCell& cell : part.checkCells) {
        cell.name = L"NA";
        cell.description = L"NA\0NA";
        cell.defaultValue = 1;
    }
    return part;
}

} // namespace zephlin::testing
