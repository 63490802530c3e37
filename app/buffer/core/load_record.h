// How a page's buffer came to be, which decides whether the next load
// replaces it or merges into it, and how the rest of the area is filled.
#pragma once

#include <cstdint>
#include <string>

namespace zephlin {

enum class LoadState : uint32_t {
    Empty = 0,      // nothing loaded since the part was chosen
    SingleFile = 1, // one code file, or the image of a project
    Mixed = 2,      // several sources merged
    Dumped = 3,     // what Dump Target read from the chip
    IspOnly = 4     // inserted ISP code and nothing loaded before it
};

enum class FillMode : uint32_t {
    None = 0,
    Zeros = 1, // the rest of the area becomes 0x00
    Ones = 2   // the rest of the area becomes 0xFF
};

struct LoadRecord {
    LoadState state = LoadState::Empty;
    FillMode fillMode = FillMode::None;
    std::wstring filePath;      // the code file Load File last placed on the page
    std::wstring fileExtension; // its extension without the dot, upper case

    bool loaded() const { return state != LoadState::Empty; }
    void clear() { *this = LoadRecord{}; }
};

// Whether a load onto a buffer in this state replaces it (empty or dumped)
// rather than merging into it.
bool loadReplaces(LoadState before);
// The state after Load File; with the clear-buffer option the buffer is
// emptied first, so the load always replaces.
LoadState stateAfterLoad(LoadState before, bool clearBuffer);
// The state after Insert ISP-code on the page.
LoadState stateAfterIspInsert(LoadState before);
// Whether Auto Reload reloads a page in this state: single file or mixed.
bool reloadable(LoadState state);

} // namespace zephlin
