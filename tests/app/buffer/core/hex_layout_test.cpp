#include "buffer/core/hex_layout.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

// A buffer page's editor: address with 6 digits, ASCII, 16 bytes per row, in
// a font 8 pixels wide and 16 high.
HexLayoutSettings pageSettings(int width, int height) {
    HexLayoutSettings settings;
    settings.clientWidth = width;
    settings.clientHeight = height;
    settings.charWidth = 8;
    settings.lineHeight = 16;
    settings.showAddress = true;
    settings.showAscii = true;
    settings.addressDigits = 6;
    settings.bytesPerRowSetting = 16;
    return settings;
}

TEST(HexLayout, ColumnsOfABufferPage) {
    const HexLayout layout = computeHexLayout(pageSettings(600, 100), 20);
    EXPECT_EQ(layout.text.left, 5);
    EXPECT_EQ(layout.text.top, 5);
    EXPECT_EQ(layout.text.right, 595);
    EXPECT_EQ(layout.text.bottom, 95);
    EXPECT_EQ(layout.address.start, 0);
    EXPECT_EQ(layout.address.width, 6 * 8 + 5);
    EXPECT_EQ(layout.hex.start, 53);
    EXPECT_EQ(layout.hex.width, 47 * 8 + 5);
    EXPECT_EQ(layout.ascii.start, 53 + 47 * 8 + 5);
    EXPECT_EQ(layout.ascii.width, 16 * 8);
    EXPECT_EQ(layout.contentWidth, layout.ascii.end());
    EXPECT_EQ(layout.bytesPerRow, 16U);
    EXPECT_EQ(layout.dataRows(20), 2U);
    EXPECT_EQ(layout.verticalMaximum, 0);
    EXPECT_EQ(layout.horizontalMaximum, 0);
}

TEST(HexLayout, FullAndPartialRows) {
    // 90 pixels of text: five full rows of 16 and a partial one of 10.
    const HexLayout partial = computeHexLayout(pageSettings(600, 100), 0);
    EXPECT_EQ(partial.fullRows, 5);
    EXPECT_EQ(partial.rows, 6);
    EXPECT_EQ(partial.lastRowHeight, 10);
    EXPECT_EQ(partial.rowHeight(5), 10);
    EXPECT_EQ(partial.rowHeight(4), 16);
    EXPECT_EQ(partial.rowTop(2), 5 + 32);

    const HexLayout exact = computeHexLayout(pageSettings(600, 10 + 4 * 16), 0);
    EXPECT_EQ(exact.fullRows, 4);
    EXPECT_EQ(exact.rows, 4);
    EXPECT_EQ(exact.lastRowHeight, 16);
}

TEST(HexLayout, ScrollMaxima) {
    // 256 KiB in rows of 16 is 16384 rows, of which five are fully visible.
    EXPECT_EQ(computeHexLayout(pageSettings(600, 100), 256 * 1024).verticalMaximum, 16384 - 5);
    // A short last row counts as a row.
    EXPECT_EQ(computeHexLayout(pageSettings(600, 100), 16 * 5 + 1).verticalMaximum, 1);
    // Content 562 pixels wide in a text rectangle of 300.
    EXPECT_EQ(computeHexLayout(pageSettings(310, 100), 0).horizontalMaximum, 562 - 300);
}

TEST(HexLayout, ColumnsWithoutAddressAndAscii) {
    HexLayoutSettings settings = pageSettings(600, 100);
    settings.showAddress = false;
    settings.showAscii = false;
    const HexLayout layout = computeHexLayout(settings, 0);
    EXPECT_EQ(layout.address.width, 0);
    EXPECT_EQ(layout.hex.start, 0);
    EXPECT_EQ(layout.ascii.width, 0);
    EXPECT_EQ(layout.contentWidth, 47 * 8);
}

TEST(HexLayout, AutomaticBytesPerRowFillsTheWidth) {
    HexLayoutSettings settings = pageSettings(0, 100);
    settings.showAddress = false;
    settings.automaticBytesPerRow = true;
    // With ASCII 16 bytes take (3 * 16 - 1) * 8 + 5 + 16 * 8 = 509 pixels.
    settings.clientWidth = 509 + 10;
    EXPECT_EQ(computeHexLayout(settings, 0).bytesPerRow, 16U);
    settings.clientWidth = 508 + 10;
    EXPECT_EQ(computeHexLayout(settings, 0).bytesPerRow, 15U);

    // Without ASCII 16 bytes take (3 * 16 - 1) * 8 = 376 pixels.
    settings.showAscii = false;
    settings.clientWidth = 376 + 10;
    EXPECT_EQ(computeHexLayout(settings, 0).bytesPerRow, 16U);
    settings.clientWidth = 375 + 10;
    EXPECT_EQ(computeHexLayout(settings, 0).bytesPerRow, 15U);

    // The address column comes off the width first.
    settings.showAddress = true;
    settings.clientWidth = 376 + 10 + 53;
    EXPECT_EQ(computeHexLayout(settings, 0).bytesPerRow, 16U);
}

TEST(HexLayout, NeverZeroBytesPerRowNorNegativeSizes) {
    HexLayoutSettings settings = pageSettings(3, 3);
    settings.automaticBytesPerRow = true;
    const HexLayout tiny = computeHexLayout(settings, 100);
    EXPECT_EQ(tiny.bytesPerRow, 1U);
    EXPECT_EQ(tiny.text.width(), 0);
    EXPECT_EQ(tiny.text.height(), 0);
    EXPECT_EQ(tiny.rows, 0);
    EXPECT_EQ(tiny.verticalMaximum, 100);

    settings = pageSettings(600, 100);
    settings.bytesPerRowSetting = 0;
    settings.charWidth = 0;
    settings.lineHeight = 0;
    const HexLayout degenerate = computeHexLayout(settings, 100);
    EXPECT_EQ(degenerate.bytesPerRow, 1U);
    EXPECT_EQ(degenerate.charWidth, 1);
    EXPECT_EQ(degenerate.lineHeight, 1);
}

} // namespace
} // namespace zephlin
