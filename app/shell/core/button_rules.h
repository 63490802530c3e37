// Which of the main window's buttons a state of the workspace enables: the
// buttons that need a buffer with content, Insert ISP-code by the chip type,
// Program and Verify by the current page's buffer.
#pragma once

#include "Zephlin_DLL.h"

#include <cstddef>
#include <vector>

namespace zephlin {

struct ButtonState {
    int id;
    bool enabled;

    bool operator==(const ButtonState&) const = default;
};

// After a part change: Save Buffer, Save KDX, Program, Verify and Auto off
// until a buffer has content; Insert ISP-code on for the chip types that take
// ISP code.
std::vector<ButtonState> buttonsAfterPartChange(const ZephlinBodyInfo& part);

// After a passing Dump Target: Save Buffer, Program, Verify and Auto on, Save
// KDX on unless the chip type cannot be saved as a project.
std::vector<ButtonState> buttonsAfterDump(const ZephlinBodyInfo& part);

// After a page is chosen: Program and Verify on when its buffer has bytes.
std::vector<ButtonState> buttonsForPage(std::size_t bufferLength);

} // namespace zephlin
