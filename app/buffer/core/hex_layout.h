// Where the hex editor puts its rows and columns inside its client area. All
// sizes are in pixels; column positions are offsets from the content's left
// edge, before the horizontal scroll is applied.
#pragma once

#include <cstddef>

namespace zephlin {

struct HexLayoutSettings {
    int clientWidth = 0;
    int clientHeight = 0;
    int charWidth = 1;  // cw: the width of '0' in the font
    int lineHeight = 1; // lh: the height of the text "0"
    bool showAddress = false;
    bool showAscii = false;
    unsigned addressDigits = 8;
    unsigned bytesPerRowSetting = 16;
    bool automaticBytesPerRow = false;
};

struct HexColumn {
    int start = 0;
    int width = 0;

    int end() const { return start + width; }
};

struct HexTextRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct HexLayout {
    int charWidth = 1;
    int lineHeight = 1;
    int fullRows = 0;         // R
    int rows = 0;             // R': R plus a partial last row
    int lastRowHeight = 0;    // the partial row's height, or lh when there is none
    unsigned bytesPerRow = 1; // B, never 0
    HexColumn address;
    HexColumn hex;
    HexColumn ascii; // width 0 without show ASCII
    int contentWidth = 0;
    HexTextRect text;
    int verticalMaximum = 0;
    int horizontalMaximum = 0;

    // Rows needed for the data, the last one possibly short.
    std::size_t dataRows(std::size_t dataLength) const;
    // Height of visible row r (0-based from the top row).
    int rowHeight(int r) const { return r == rows - 1 ? lastRowHeight : lineHeight; }
    int rowTop(int r) const { return text.top + r * lineHeight; }
};

// The text rectangle is the client area inset by 5 on every side; the
// columns follow from the font, the options and, with automatic sizing, the
// width that is left after the address column.
HexLayout computeHexLayout(const HexLayoutSettings& settings, std::size_t dataLength);

} // namespace zephlin
