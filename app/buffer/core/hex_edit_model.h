// The hex editor's state and behaviour without a screen: the bytes, the
// layout, the scroll positions, the caret on its nibble, the selection and
// its anchor, mouse dragging, typing and the clipboard forms of a selection.
// The widget renders this model and forwards the user's input to it;
// coordinates are pixels in the editor's client area.
#pragma once

#include "buffer/core/hex_auto_scroll.h"
#include "buffer/core/hex_layout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zephlin {

struct HexCaret {
    std::size_t byte = 0;
    bool highNibble = true;

    bool operator==(const HexCaret&) const = default;
};

// Selected bytes, inclusive, first <= last.
struct HexSelection {
    std::size_t first = 0;
    std::size_t last = 0;

    bool operator==(const HexSelection&) const = default;
};

struct HexPixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const HexPixelRect&) const = default;
};

enum class HexMove { Left, Right, Up, Down, PageUp, PageDown, Home, End };

// A visible row that holds data, as the widget draws it.
struct HexVisibleRow {
    int top = 0;
    std::size_t firstByte = 0;
    std::size_t count = 0;
    std::optional<HexSelection> selected; // the selected bytes of this row
};

class HexEditModel {
public:
    // Keeps a copy of the bytes; clears the selection and its anchor and puts
    // the caret on byte 0, high nibble.
    void setData(std::span<const uint8_t> bytes);
    std::span<const uint8_t> data() const { return data_; }
    std::size_t length() const { return data_.size(); }
    // Copies as many bytes as fit; returns the data length.
    std::size_t copyData(std::span<uint8_t> destination) const;

    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Layout inputs; each recomputes the layout and keeps the scroll
    // positions within the new maxima.
    void setFontMetrics(int charWidth, int lineHeight);
    void setClientSize(int width, int height);
    void setShowAddress(bool show);
    void setShowAscii(bool show);
    void setAddressDigits(unsigned digits); // kept within 1 to 16
    void setBytesPerRow(unsigned bytes, bool automatic);
    const HexLayoutSettings& layoutSettings() const { return settings_; }
    const HexLayout& layout() const { return layout_; }

    int verticalPosition() const { return verticalPosition_; }
    int horizontalPosition() const { return horizontalPosition_; }
    // Each returns whether the position changed.
    bool setVerticalPosition(int row);
    bool setHorizontalPosition(int pixels);
    bool scrollRows(int rows);

    const std::optional<HexSelection>& selection() const { return selection_; }
    // Orders the ends and keeps them within the data; nothing on empty data.
    void setSelection(std::size_t first, std::size_t last);
    void clearSelection() { selection_.reset(); }
    // Returns false when the data is empty or already wholly selected.
    bool selectAll();
    // Scrolls so that the bytes first to last come into view.
    void makeVisible(std::size_t first, std::size_t last);

    HexCaret caret() const { return caret_; }
    // A movement key; with extend (Shift) the selection runs from the anchor
    // to the new caret position.
    void move(HexMove movement, bool extend);
    // Overwrites the nibble under the caret and advances it. Returns whether
    // a byte was written: never for read-only or empty data or a character
    // that is not a hexadecimal digit.
    bool typeHexDigit(char digit);
    // The caret block, when it is to be shown at all.
    std::optional<HexPixelRect> caretRect(bool hasFocus) const;

    // The byte and nibble under a point; the last byte's low nibble beyond the
    // data. Requires data.
    HexCaret hitTest(int x, int y) const;
    // Left button down: with data, caret to the hit nibble, selection cleared,
    // anchor at the caret. A drag begins once the pointer leaves the
    // dragWidth x dragHeight rectangle centred on the point.
    void press(int x, int y, int dragWidth, int dragHeight);
    // Pointer moved with the button down; returns whether anything changed.
    bool dragTo(int x, int y);
    // A tick of the auto-scroll timer; returns whether it scrolled.
    bool autoScrollTick();
    bool autoScrolling() const { return autoScroll_.running(); }
    const HexAutoScroll& autoScroll() const { return autoScroll_; }
    void release();
    void doubleClick(int x, int y);

    // The clipboard forms of the selection; none without a selection.
    std::optional<std::vector<uint8_t>> copyBlock() const;
    std::optional<std::string> copyText() const;
    // Overwrites bytes from the selection start (else the caret) with the
    // block's bytes, as many as fit before the end of the data. Returns the
    // number of bytes written: 0 for read-only or empty data or a malformed
    // block.
    std::size_t paste(std::span<const uint8_t> block);

    // The visible rows that hold data, top to bottom.
    std::vector<HexVisibleRow> visibleRows() const;
    // The client x of a content offset (a column position of the layout).
    int clientX(int contentOffset) const;
    // The content offset of a byte's high digit within its row.
    int digitOffset(std::size_t byte) const;

private:
    void relayout();
    void moveCaretBy(long long bytes, bool highNibble, bool extend);
    void scrollRowIntoView(std::size_t byte);
    void scrollColumnsIntoView(std::size_t first, std::size_t last);
    void extendDragSelection(int x, int y);
    bool insideDragRect(int x, int y) const;

    std::vector<uint8_t> data_;
    HexLayoutSettings settings_;
    HexLayout layout_ = computeHexLayout(settings_, 0);
    bool readOnly_ = false;
    int verticalPosition_ = 0;
    int horizontalPosition_ = 0;
    std::optional<HexSelection> selection_;
    std::optional<std::size_t> anchor_;
    HexCaret caret_;

    bool dragging_ = false; // the button went down on data
    bool leftDragRect_ = false;
    int dragLeft_ = 0;
    int dragTop_ = 0;
    int dragRight_ = 0;
    int dragBottom_ = 0;
    HexAutoScroll autoScroll_;
};

} // namespace zephlin
