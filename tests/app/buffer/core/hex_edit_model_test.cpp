#include "buffer/core/hex_clipboard_block.h"
#include "buffer/core/hex_edit_model.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace zephlin {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kCharWidth = 8;
constexpr int kLineHeight = 16;
constexpr int kTextLeft = 5;
constexpr int kTextTop = 5;
constexpr int kHexStart = 6 * kCharWidth + 5; // after six address digits

// A buffer page's editor set-up in a window of exactly four rows.
struct HexEditModelTest : ::testing::Test {
    HexEditModel model;

    void SetUp() override {
        model.setFontMetrics(kCharWidth, kLineHeight);
        model.setClientSize(600, 10 + 4 * kLineHeight);
        model.setShowAddress(true);
        model.setShowAscii(true);
        model.setAddressDigits(6);
        model.setBytesPerRow(16, false);
    }

    void load(std::size_t length) {
        Bytes bytes(length);
        std::iota(bytes.begin(), bytes.end(), uint8_t{0});
        model.setData(bytes);
    }

    Bytes bytes() const { return {model.data().begin(), model.data().end()}; }

    void caretTo(std::size_t byte) {
        model.move(HexMove::Home, false);
        for (std::size_t i = 0; i < byte; ++i) {
            model.move(HexMove::Right, false);
            model.move(HexMove::Right, false);
        }
    }

    // A point on the left half of a digit in visible row `row`.
    static int digitX(std::size_t column, bool lowNibble) {
        return kTextLeft + kHexStart +
               kCharWidth * static_cast<int>(3 * column + (lowNibble ? 1 : 0)) + 1;
    }
    static int rowY(int row) { return kTextTop + row * kLineHeight + kLineHeight / 2; }
};

TEST_F(HexEditModelTest, TwentyBytesShowTwoRows) {
    load(20);
    const std::vector<HexVisibleRow> rows = model.visibleRows();
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].firstByte, 0U);
    EXPECT_EQ(rows[0].count, 16U);
    EXPECT_EQ(rows[0].top, kTextTop);
    EXPECT_EQ(rows[1].firstByte, 0x10U);
    EXPECT_EQ(rows[1].count, 4U);
    EXPECT_EQ(rows[1].top, kTextTop + kLineHeight);
}

TEST_F(HexEditModelTest, VisibleRowsDependOnTheWindowNotTheData) {
    load(256 * 1024);
    model.setVerticalPosition(8192);
    std::vector<HexVisibleRow> rows = model.visibleRows();
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[0].firstByte, 8192U * 16);

    model.setVerticalPosition(1 << 30);
    EXPECT_EQ(model.verticalPosition(), 16384 - 4);
    rows = model.visibleRows();
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows.back().firstByte + rows.back().count, 256U * 1024);

    // The selected part of each row.
    model.setSelection(16 * 16381 + 14, 16 * 16382 + 1);
    rows = model.visibleRows();
    EXPECT_FALSE(rows[0].selected);
    EXPECT_EQ(rows[1].selected, (HexSelection{16 * 16381 + 14, 16 * 16381 + 15}));
    EXPECT_EQ(rows[2].selected, (HexSelection{16 * 16382, 16 * 16382 + 1}));
    EXPECT_FALSE(rows[3].selected);
}

TEST_F(HexEditModelTest, TypingOverwritesNibblesAndAdvances) {
    load(20);
    caretTo(3);
    EXPECT_TRUE(model.typeHexDigit('a'));
    EXPECT_EQ((model.caret()), (HexCaret{3, false}));
    EXPECT_TRUE(model.typeHexDigit('5'));
    EXPECT_EQ(bytes()[3], 0xA5);
    EXPECT_EQ((model.caret()), (HexCaret{4, true}));
    EXPECT_TRUE(model.typeHexDigit('F'));
    EXPECT_EQ(bytes()[4], 0xF4);

    // At the last byte's low nibble the caret stays.
    model.move(HexMove::End, false);
    EXPECT_TRUE(model.typeHexDigit('c'));
    EXPECT_TRUE(model.typeHexDigit('d'));
    EXPECT_EQ(bytes()[19], 0x1D);
    EXPECT_EQ((model.caret()), (HexCaret{19, false}));
}

TEST_F(HexEditModelTest, TypingRefusesOtherCharactersReadOnlyAndEmptyData) {
    load(4);
    const Bytes before = bytes();
    for (const char other : {'g', 'G', '\b', ' ', 'x', '\0'}) {
        EXPECT_FALSE(model.typeHexDigit(other));
    }
    model.setReadOnly(true);
    EXPECT_FALSE(model.typeHexDigit('1'));
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ((model.caret()), (HexCaret{0, true}));

    model.setReadOnly(false);
    model.setData({});
    EXPECT_FALSE(model.typeHexDigit('1'));
}

TEST_F(HexEditModelTest, TypingClearsTheSelection) {
    load(20);
    model.move(HexMove::Right, true);
    ASSERT_TRUE(model.selection());
    model.typeHexDigit('1');
    EXPECT_FALSE(model.selection());
}

TEST_F(HexEditModelTest, LeftAndRightWalkTheNibblesAndStopAtTheEnds) {
    load(3);
    model.move(HexMove::Left, false);
    EXPECT_EQ((model.caret()), (HexCaret{0, true}));
    model.move(HexMove::Right, false);
    EXPECT_EQ((model.caret()), (HexCaret{0, false}));
    model.move(HexMove::Right, false);
    EXPECT_EQ((model.caret()), (HexCaret{1, true}));
    model.move(HexMove::Left, false);
    EXPECT_EQ((model.caret()), (HexCaret{0, false}));

    model.move(HexMove::End, false);
    EXPECT_EQ((model.caret()), (HexCaret{2, false}));
    model.move(HexMove::Right, false);
    EXPECT_EQ((model.caret()), (HexCaret{2, false}));
    model.move(HexMove::Home, false);
    EXPECT_EQ((model.caret()), (HexCaret{0, true}));
}

TEST_F(HexEditModelTest, RowAndPageMovesKeepTheNibbleInsideTheData) {
    load(100);
    caretTo(5);
    model.move(HexMove::Right, false); // low nibble of byte 5
    model.move(HexMove::Down, false);
    EXPECT_EQ((model.caret()), (HexCaret{21, false}));
    model.move(HexMove::PageDown, false); // (4 - 1) rows
    EXPECT_EQ((model.caret()), (HexCaret{69, false}));
    model.move(HexMove::PageDown, false);
    EXPECT_EQ((model.caret()), (HexCaret{99, false}));
    model.move(HexMove::Home, false);
    model.move(HexMove::Down, false);
    model.move(HexMove::PageUp, false);
    EXPECT_EQ((model.caret()), (HexCaret{0, true}));
    model.move(HexMove::End, false);
    model.move(HexMove::Left, false); // high nibble of byte 99
    model.move(HexMove::Down, false);
    EXPECT_EQ((model.caret()), (HexCaret{99, false}));
    model.move(HexMove::Up, false);
    EXPECT_EQ((model.caret()), (HexCaret{83, false}));
}

TEST_F(HexEditModelTest, ShiftMovesExtendTheSelectionFromTheAnchor) {
    load(100);
    caretTo(5);
    model.move(HexMove::Down, true);
    EXPECT_EQ(model.selection(), (HexSelection{5, 21}));
    model.move(HexMove::Down, true);
    EXPECT_EQ(model.selection(), (HexSelection{5, 37}));
    // Back past the anchor: the selection turns round it.
    model.move(HexMove::PageUp, true);
    EXPECT_EQ(model.selection(), (HexSelection{0, 5}));
    model.move(HexMove::End, true);
    EXPECT_EQ(model.selection(), (HexSelection{5, 99}));
    // A move without Shift ends the selection and forgets the anchor.
    model.move(HexMove::Left, false);
    EXPECT_FALSE(model.selection());
    model.move(HexMove::Left, true);
    EXPECT_EQ(model.selection(), (HexSelection{98, 99}));
}

TEST_F(HexEditModelTest, CaretMovesScrollTheirRowIntoView) {
    load(256);
    for (int i = 0; i < 4; ++i) {
        model.move(HexMove::Down, false);
    }
    // Row 4 becomes the last of the four visible rows.
    EXPECT_EQ(model.verticalPosition(), 1);
    model.move(HexMove::End, false);
    EXPECT_EQ(model.verticalPosition(), 12);
    model.move(HexMove::PageUp, false);
    EXPECT_EQ(model.verticalPosition(), 12);
    model.move(HexMove::PageUp, false);
    EXPECT_EQ(model.verticalPosition(), 9);
    model.move(HexMove::Home, false);
    EXPECT_EQ(model.verticalPosition(), 0);
}

TEST_F(HexEditModelTest, CaretMovesScrollTheirDigitsIntoViewHorizontally) {
    model.setClientSize(200, 10 + 4 * kLineHeight); // 190 pixels of text
    load(32);
    model.move(HexMove::End, false); // byte 31, column 15
    const int digitsEnd = kHexStart + 3 * 15 * kCharWidth + 2 * kCharWidth;
    EXPECT_EQ(model.horizontalPosition(), digitsEnd - 190);
    model.move(HexMove::Home, false);
    EXPECT_EQ(model.horizontalPosition(), kHexStart);
}

TEST_F(HexEditModelTest, MakeVisibleScrollsToTheRange) {
    load(256);
    model.makeVisible(100, 100); // row 6 becomes the last visible row
    EXPECT_EQ(model.verticalPosition(), 3);
    model.makeVisible(50, 60); // already visible
    EXPECT_EQ(model.verticalPosition(), 3);
    model.makeVisible(0, 0);
    EXPECT_EQ(model.verticalPosition(), 0);
    // The first byte past the window.
    model.makeVisible(64, 64);
    EXPECT_EQ(model.verticalPosition(), 1);
    // A range taller than the window shows its start from above...
    model.setVerticalPosition(0);
    model.makeVisible(40, 200);
    EXPECT_EQ(model.verticalPosition(), 2);
    // ...and its end when the window shows only its tail.
    model.setVerticalPosition(12);
    model.makeVisible(0, 250);
    EXPECT_EQ(model.verticalPosition(), 12);
    model.makeVisible(0, 200);
    EXPECT_EQ(model.verticalPosition(), 9);
}

TEST_F(HexEditModelTest, SelectionsStayInsideTheData) {
    load(20);
    model.setSelection(7, 3);
    EXPECT_EQ(model.selection(), (HexSelection{3, 7}));
    model.setSelection(10, 500);
    EXPECT_EQ(model.selection(), (HexSelection{10, 19}));
    model.setSelection(20, 30);
    EXPECT_FALSE(model.selection());

    EXPECT_TRUE(model.selectAll());
    EXPECT_EQ(model.selection(), (HexSelection{0, 19}));
    EXPECT_FALSE(model.selectAll());

    model.setData({});
    EXPECT_FALSE(model.selection());
    EXPECT_FALSE(model.selectAll());
    model.setSelection(0, 0);
    EXPECT_FALSE(model.selection());
}

TEST_F(HexEditModelTest, SetDataKeepsACopyAndResetsCaretAndSelection) {
    Bytes source{1, 2, 3, 4};
    model.setData(source);
    source[0] = 9;
    model.move(HexMove::End, true);
    model.setData(source);
    EXPECT_FALSE(model.selection());
    EXPECT_EQ((model.caret()), (HexCaret{0, true}));

    Bytes small(2, 0);
    EXPECT_EQ(model.copyData(small), 4U);
    EXPECT_EQ(small, (Bytes{9, 2}));
    Bytes large(6, 0);
    EXPECT_EQ(model.copyData(large), 4U);
    EXPECT_EQ(large, (Bytes{9, 2, 3, 4, 0, 0}));
}

TEST_F(HexEditModelTest, HitTestFindsByteAndNibble) {
    load(20);
    EXPECT_EQ(model.hitTest(digitX(0, false) - 1, rowY(0)), (HexCaret{0, true}));
    EXPECT_EQ(model.hitTest(digitX(0, true), rowY(0)), (HexCaret{0, false}));
    // The boundary between nibbles is the middle of a digit.
    EXPECT_EQ(model.hitTest(digitX(0, false) + 2, rowY(0)), (HexCaret{0, true}));
    EXPECT_EQ(model.hitTest(digitX(0, false) + 3, rowY(0)), (HexCaret{0, false}));
    // The space after a byte belongs to its low nibble up to its middle.
    EXPECT_EQ(model.hitTest(digitX(0, true) + kCharWidth, rowY(0)), (HexCaret{0, false}));
    EXPECT_EQ(model.hitTest(digitX(1, false), rowY(0)), (HexCaret{1, true}));
    EXPECT_EQ(model.hitTest(digitX(2, true), rowY(1)), (HexCaret{18, false}));
    // Left of the hexadecimal column and right of it.
    EXPECT_EQ(model.hitTest(0, rowY(0)), (HexCaret{0, true}));
    EXPECT_EQ(model.hitTest(590, rowY(0)), (HexCaret{15, false}));
}

TEST_F(HexEditModelTest, HitTestBeyondTheDataGivesTheLastLowNibble) {
    load(20);
    EXPECT_EQ(model.hitTest(digitX(10, false), rowY(1)), (HexCaret{19, false}));
    EXPECT_EQ(model.hitTest(digitX(0, false), rowY(3)), (HexCaret{19, false}));
    EXPECT_EQ(model.hitTest(digitX(0, false), 1000), (HexCaret{19, false}));
    EXPECT_EQ(model.hitTest(digitX(0, false), -50), (HexCaret{0, true}));
}

TEST_F(HexEditModelTest, HitTestFollowsTheScrollPositions) {
    load(256);
    model.setVerticalPosition(5);
    EXPECT_EQ(model.hitTest(digitX(1, false), rowY(1)), (HexCaret{6 * 16 + 1, true}));
    model.setClientSize(200, 10 + 4 * kLineHeight);
    model.setHorizontalPosition(3 * kCharWidth);
    EXPECT_EQ(model.hitTest(digitX(1, false) - 3 * kCharWidth, rowY(0)), (HexCaret{81, true}));
}

TEST_F(HexEditModelTest, DraggingSelectsFromThePressedByte) {
    load(64);
    model.press(digitX(2, false), rowY(0), 10, 10);
    EXPECT_EQ((model.caret()), (HexCaret{2, true}));
    EXPECT_FALSE(model.selection());
    // Inside the drag rectangle nothing happens yet.
    EXPECT_FALSE(model.dragTo(digitX(2, false) + 4, rowY(0)));
    EXPECT_FALSE(model.selection());
    EXPECT_TRUE(model.dragTo(digitX(5, true), rowY(1)));
    EXPECT_EQ(model.selection(), (HexSelection{2, 21}));
    EXPECT_EQ((model.caret()), (HexCaret{21, false}));
    // Once out of the rectangle, every move counts, back before the anchor too.
    EXPECT_TRUE(model.dragTo(digitX(0, false), rowY(0)));
    EXPECT_EQ(model.selection(), (HexSelection{0, 2}));
    EXPECT_FALSE(model.autoScrolling());
    model.release();
    EXPECT_FALSE(model.dragTo(digitX(9, false), rowY(0)));
    EXPECT_EQ(model.selection(), (HexSelection{0, 2}));
}

TEST_F(HexEditModelTest, PressingWithoutDataStartsNoDrag) {
    model.press(digitX(2, false), rowY(0), 10, 10);
    EXPECT_FALSE(model.dragTo(digitX(5, false), 500));
    EXPECT_FALSE(model.autoScrolling());
}

TEST_F(HexEditModelTest, DraggingBelowTheTextAutoScrolls) {
    load(256);
    model.press(digitX(2, false), rowY(0), 10, 10);
    const int textBottom = kTextTop + 4 * kLineHeight;
    model.dragTo(digitX(3, false), textBottom + 2); // near the edge: slow
    ASSERT_TRUE(model.autoScrolling());
    EXPECT_EQ(model.autoScroll().interval(), 7);
    EXPECT_EQ(model.selection(), (HexSelection{2, 67}));

    // A row every eight ticks.
    for (int tick = 0; tick < 7; ++tick) {
        EXPECT_FALSE(model.autoScrollTick());
    }
    EXPECT_TRUE(model.autoScrollTick());
    EXPECT_EQ(model.verticalPosition(), 1);
    EXPECT_EQ(model.selection(), (HexSelection{2, 83}));

    // Far away: a row every two ticks once the running countdown is spent.
    model.dragTo(digitX(3, false), textBottom + 40);
    EXPECT_EQ(model.autoScroll().interval(), 1);
    int rows = 0;
    for (int tick = 0; tick < 7 + 2 * 4; ++tick) {
        rows += model.autoScrollTick() ? 1 : 0;
    }
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(model.verticalPosition(), 5);

    // Back inside the text the scrolling stops.
    model.dragTo(digitX(3, false), rowY(2));
    EXPECT_FALSE(model.autoScrolling());
    EXPECT_FALSE(model.autoScrollTick());
    EXPECT_EQ(model.verticalPosition(), 5);
    model.dragTo(digitX(3, false), kTextTop - 1);
    EXPECT_TRUE(model.autoScrolling());
    model.release();
    EXPECT_FALSE(model.autoScrolling());
}

TEST(HexAutoScrollPace, IntervalShrinksWithTheDistance) {
    EXPECT_EQ(HexAutoScroll::intervalFor(0), 7);
    EXPECT_EQ(HexAutoScroll::intervalFor(3), 7);
    EXPECT_EQ(HexAutoScroll::intervalFor(4), 6);
    EXPECT_EQ(HexAutoScroll::intervalFor(28), 2);
    EXPECT_EQ(HexAutoScroll::intervalFor(29), 1);
    EXPECT_EQ(HexAutoScroll::intervalFor(5000), 1);
}

TEST_F(HexEditModelTest, DoubleClickSelectsOneByte) {
    load(64);
    model.doubleClick(digitX(4, true), rowY(2));
    EXPECT_EQ(model.selection(), (HexSelection{36, 36}));
    EXPECT_EQ((model.caret()), (HexCaret{36, false}));
}

TEST_F(HexEditModelTest, CopyFormsOfTheSelection) {
    model.setData(Bytes{0x01, 0xAB, 0xFF, 0x00});
    EXPECT_FALSE(model.copyBlock());
    EXPECT_FALSE(model.copyText());
    model.setSelection(0, 2);
    EXPECT_EQ(model.copyBlock(), (Bytes{0x03, 0x00, 0x00, 0x00, 0x01, 0xAB, 0xFF}));
    EXPECT_EQ(model.copyText(), "01 AB FF\n");
}

TEST_F(HexEditModelTest, PasteOverwritesAsManyBytesAsFit) {
    load(20);
    model.move(HexMove::End, false);
    model.move(HexMove::Left, false);
    model.move(HexMove::Left, false); // byte 18
    const Bytes block = encodeBinaryDataBlock(Bytes{0xA1, 0xA2, 0xA3, 0xA4, 0xA5});
    EXPECT_EQ(model.paste(block), 2U);
    Bytes expected(20);
    std::iota(expected.begin(), expected.end(), uint8_t{0});
    expected[18] = 0xA1;
    expected[19] = 0xA2;
    EXPECT_EQ(bytes(), expected);
    EXPECT_EQ(model.selection(), (HexSelection{18, 19}));
    EXPECT_EQ((model.caret()), (HexCaret{19, false}));
}

TEST_F(HexEditModelTest, PasteStartsAtTheSelection) {
    load(256);
    model.move(HexMove::End, false);
    model.setSelection(3, 9);
    EXPECT_EQ(model.paste(encodeBinaryDataBlock(Bytes{0xEE, 0xEF})), 2U);
    EXPECT_EQ(bytes()[3], 0xEE);
    EXPECT_EQ(bytes()[4], 0xEF);
    EXPECT_EQ(bytes()[5], 5);
    EXPECT_EQ(model.selection(), (HexSelection{3, 4}));
    EXPECT_EQ((model.caret()), (HexCaret{4, false}));
    EXPECT_EQ(model.verticalPosition(), 0); // scrolled back to the pasted bytes
}

TEST_F(HexEditModelTest, PasteRefusals) {
    load(8);
    const Bytes before = bytes();
    EXPECT_EQ(model.paste(Bytes{0x01, 0x00}), 0U);                   // no complete count
    EXPECT_EQ(model.paste(encodeBinaryDataBlock(Bytes{})), 0U);      // nothing to write
    EXPECT_EQ(model.paste(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x42}), 1U); // count beyond the block
    EXPECT_EQ(bytes()[0], 0x42);
    model.setData(before);
    model.setReadOnly(true);
    EXPECT_EQ(model.paste(encodeBinaryDataBlock(Bytes{1, 2})), 0U);
    EXPECT_EQ(bytes(), before);
    model.setReadOnly(false);
    model.setData({});
    EXPECT_EQ(model.paste(encodeBinaryDataBlock(Bytes{1, 2})), 0U);
    EXPECT_EQ(model.length(), 0U);
}

TEST_F(HexEditModelTest, CaretBlockOnItsNibble) {
    load(256);
    EXPECT_FALSE(model.caretRect(false));
    caretTo(17);
    model.move(HexMove::Right, false);
    const HexPixelRect expected{kTextLeft + kHexStart + kCharWidth * (3 + 1),
                                kTextTop + kLineHeight + 1, kCharWidth, kLineHeight - 1};
    EXPECT_EQ(model.caretRect(true), expected);
    // Scrolled out of the window, the caret is not shown.
    model.setVerticalPosition(2);
    EXPECT_FALSE(model.caretRect(true));
}

TEST_F(HexEditModelTest, CaretOnAPartialLastRowIsShorter) {
    model.setClientSize(600, 10 + 2 * kLineHeight + 6);
    load(64);
    model.move(HexMove::Down, false);
    model.move(HexMove::Down, false); // row 2, six pixels high
    model.setVerticalPosition(0);
    const std::optional<HexPixelRect> caret = model.caretRect(true);
    ASSERT_TRUE(caret);
    EXPECT_EQ(caret->height, 5);
}

TEST_F(HexEditModelTest, CaretIsClippedToTheTextBand) {
    model.setClientSize(100, 10 + 4 * kLineHeight); // 90 pixels of text
    load(16);
    model.move(HexMove::End, false);
    const std::optional<HexPixelRect> caret = model.caretRect(true);
    ASSERT_TRUE(caret);
    EXPECT_LE(caret->x + caret->width, 95 + 2);
    model.setHorizontalPosition(0);
    EXPECT_FALSE(model.caretRect(true));
}

TEST_F(HexEditModelTest, EmptyDataIgnoresMovesAndDrags) {
    model.move(HexMove::End, true);
    model.move(HexMove::Down, false);
    EXPECT_EQ((model.caret()), (HexCaret{0, true}));
    EXPECT_FALSE(model.selection());
    EXPECT_TRUE(model.visibleRows().empty());
    model.makeVisible(0, 10);
    EXPECT_EQ(model.verticalPosition(), 0);
    model.doubleClick(digitX(0, false), rowY(0));
    EXPECT_FALSE(model.selection());
}

TEST_F(HexEditModelTest, LayoutChangesKeepPositionsInRange) {
    load(256);
    model.setVerticalPosition(12);
    model.setClientSize(600, 10 + 8 * kLineHeight);
    EXPECT_EQ(model.layout().verticalMaximum, 8);
    EXPECT_EQ(model.verticalPosition(), 8);
    model.setBytesPerRow(64, false);
    EXPECT_EQ(model.verticalPosition(), 0);
}

} // namespace
} // namespace zephlin
