#include "buffer/core/hex_edit_model.h"

#include "buffer/core/hex_clipboard_block.h"
#include "buffer/core/hex_row_text.h"

#include "support/hex_digits.h"

#include <algorithm>

namespace zephlin {
namespace {

constexpr unsigned kMaxAddressDigits = 16;
constexpr int kCaretBand = 2; // the caret may reach this far beyond the text

} // namespace

void HexEditModel::setData(std::span<const uint8_t> bytes) {
    data_.assign(bytes.begin(), bytes.end());
    selection_.reset();
    anchor_.reset();
    caret_ = {};
    dragging_ = false;
    autoScroll_.stop();
    relayout();
}

std::size_t HexEditModel::copyData(std::span<uint8_t> destination) const {
    const std::size_t count = std::min(destination.size(), data_.size());
    std::copy_n(data_.begin(), count, destination.begin());
    return data_.size();
}

void HexEditModel::setFontMetrics(int charWidth, int lineHeight) {
    settings_.charWidth = charWidth;
    settings_.lineHeight = lineHeight;
    relayout();
}

void HexEditModel::setClientSize(int width, int height) {
    settings_.clientWidth = width;
    settings_.clientHeight = height;
    relayout();
}

void HexEditModel::setShowAddress(bool show) {
    settings_.showAddress = show;
    relayout();
}

void HexEditModel::setShowAscii(bool show) {
    settings_.showAscii = show;
    relayout();
}

void HexEditModel::setAddressDigits(unsigned digits) {
    settings_.addressDigits = std::clamp(digits, 1U, kMaxAddressDigits);
    relayout();
}

void HexEditModel::setBytesPerRow(unsigned bytes, bool automatic) {
    settings_.bytesPerRowSetting = std::max(bytes, 1U);
    settings_.automaticBytesPerRow = automatic;
    relayout();
}

void HexEditModel::relayout() {
    layout_ = computeHexLayout(settings_, data_.size());
    verticalPosition_ = std::clamp(verticalPosition_, 0, layout_.verticalMaximum);
    horizontalPosition_ = std::clamp(horizontalPosition_, 0, layout_.horizontalMaximum);
}

bool HexEditModel::setVerticalPosition(int row) {
    const int clamped = std::clamp(row, 0, layout().verticalMaximum);
    const bool changed = clamped != verticalPosition_;
    verticalPosition_ = clamped;
    return changed;
}

bool HexEditModel::setHorizontalPosition(int pixels) {
    const int clamped = std::clamp(pixels, 0, layout().horizontalMaximum);
    const bool changed = clamped != horizontalPosition_;
    horizontalPosition_ = clamped;
    return changed;
}

bool HexEditModel::scrollRows(int rows) {
    return setVerticalPosition(verticalPosition_ + rows);
}

void HexEditModel::setSelection(std::size_t first, std::size_t last) {
    if (first > last) {
        std::swap(first, last);
    }
    if (data_.empty() || first >= data_.size()) {
        selection_.reset();
        return;
    }
    selection_ = HexSelection{first, std::min(last, data_.size() - 1)};
}

bool HexEditModel::selectAll() {
    if (data_.empty()) {
        return false;
    }
    const HexSelection all{0, data_.size() - 1};
    if (selection_ == all) {
        return false;
    }
    selection_ = all;
    return true;
}

void HexEditModel::makeVisible(std::size_t first, std::size_t last) {
    if (data_.empty()) {
        return;
    }
    if (first > last) {
        std::swap(first, last);
    }
    last = std::min(last, data_.size() - 1);
    first = std::min(first, last);

    const HexLayout& metrics = layout();
    const auto perRow = static_cast<long long>(metrics.bytesPerRow);
    const long long firstVisible = perRow * verticalPosition_;
    const long long visibleBytes = perRow * std::max(metrics.fullRows, 1);
    const auto from = static_cast<long long>(first);
    const auto to = static_cast<long long>(last);

    // A range taller than the window shows its start, or its end when the
    // window shows only its tail; a shorter one is scrolled in from the side
    // it lies on, its last row becoming the last full row.
    std::optional<long long> topByte;
    if (to - from > visibleBytes) {
        if (firstVisible < from) {
            topByte = from;
        } else if (to < firstVisible + visibleBytes) {
            topByte = to - visibleBytes + perRow;
        }
    } else if (from < firstVisible) {
        topByte = from;
    } else if (firstVisible + visibleBytes <= to) {
        topByte = to - visibleBytes + perRow;
    }
    if (topByte) {
        setVerticalPosition(static_cast<int>(std::max(*topByte, 0LL) / perRow));
    }
    scrollColumnsIntoView(first, last);
}

void HexEditModel::scrollRowIntoView(std::size_t byte) {
    const HexLayout& metrics = layout();
    const auto row = static_cast<long long>(byte / metrics.bytesPerRow);
    const int fullRows = std::max(metrics.fullRows, 1);
    if (row < verticalPosition_) {
        setVerticalPosition(static_cast<int>(row));
    } else if (row >= static_cast<long long>(verticalPosition_) + fullRows) {
        setVerticalPosition(static_cast<int>(row - fullRows + 1));
    }
}

void HexEditModel::scrollColumnsIntoView(std::size_t first, std::size_t last) {
    const HexLayout& metrics = layout();
    if (metrics.contentWidth <= metrics.text.width()) {
        return;
    }
    const int left = std::min(digitOffset(first), digitOffset(last));
    const int right = std::max(digitOffset(first), digitOffset(last)) + 2 * metrics.charWidth;
    if (left < horizontalPosition_) {
        setHorizontalPosition(left);
    } else if (right > horizontalPosition_ + metrics.text.width()) {
        setHorizontalPosition(right - metrics.text.width());
    }
}

int HexEditModel::digitOffset(std::size_t byte) const {
    const HexLayout& metrics = layout();
    const auto column = static_cast<int>(byte % metrics.bytesPerRow);
    return metrics.hex.start + 3 * column * metrics.charWidth;
}

int HexEditModel::clientX(int contentOffset) const {
    return layout().text.left - horizontalPosition_ + contentOffset;
}

void HexEditModel::move(HexMove movement, bool extend) {
    if (data_.empty()) {
        return;
    }
    const HexLayout& metrics = layout();
    const auto perRow = static_cast<long long>(metrics.bytesPerRow);
    const auto caret = static_cast<long long>(caret_.byte);
    const long long page = std::max(metrics.rows - 1, 0) * perRow;
    const bool high = caret_.highNibble;
    switch (movement) {
    case HexMove::Left:
        moveCaretBy(high ? -1 : 0, !high, extend);
        break;
    case HexMove::Right:
        moveCaretBy(high ? 0 : 1, !high, extend);
        break;
    case HexMove::Up:
        moveCaretBy(-perRow, high, extend);
        break;
    case HexMove::Down:
        moveCaretBy(perRow, high, extend);
        break;
    case HexMove::PageUp:
        moveCaretBy(-page, high, extend);
        break;
    case HexMove::PageDown:
        moveCaretBy(page, high, extend);
        break;
    case HexMove::Home:
        moveCaretBy(-caret, true, extend);
        break;
    case HexMove::End:
        moveCaretBy(static_cast<long long>(data_.size()) - 1 - caret, false, extend);
        break;
    }
}

void HexEditModel::moveCaretBy(long long bytes, bool highNibble, bool extend) {
    if (!extend) {
        selection_.reset();
        anchor_.reset();
    } else if (!anchor_) {
        anchor_ = caret_.byte;
    }
    const auto lastByte = static_cast<long long>(data_.size()) - 1;
    long long target = static_cast<long long>(caret_.byte) + bytes;
    if (bytes > 0 && target > lastByte) {
        target = lastByte;
        highNibble = false;
    } else if (bytes < 0 && target < 0) {
        target = 0;
        highNibble = true;
    }
    caret_ = {static_cast<std::size_t>(target), highNibble};
    if (extend) {
        selection_ = HexSelection{std::min(*anchor_, caret_.byte), std::max(*anchor_, caret_.byte)};
    }
    scrollRowIntoView(caret_.byte);
    scrollColumnsIntoView(caret_.byte, caret_.byte);
}

bool HexEditModel::typeHexDigit(char digit) {
    const int value = hexDigitValue(digit);
    if (readOnly_ || data_.empty() || value < 0) {
        return false;
    }
    uint8_t& byte = data_[caret_.byte];
    if (caret_.highNibble) {
        byte = static_cast<uint8_t>((byte & 0x0F) | (value << 4));
        moveCaretBy(0, false, false);
    } else {
        byte = static_cast<uint8_t>((byte & 0xF0) | value);
        moveCaretBy(1, true, false);
    }
    return true;
}

std::optional<HexPixelRect> HexEditModel::caretRect(bool hasFocus) const {
    if (!hasFocus) {
        return std::nullopt;
    }
    const HexLayout& metrics = layout();
    const long long row =
        static_cast<long long>(caret_.byte / metrics.bytesPerRow) - verticalPosition_;
    if (row < 0 || row >= metrics.rows) {
        return std::nullopt;
    }
    const int visibleRow = static_cast<int>(row);
    const int nibble = caret_.highNibble ? 0 : 1;
    int left = clientX(digitOffset(caret_.byte) + nibble * metrics.charWidth);
    int right = left + metrics.charWidth;
    left = std::max(left, metrics.text.left - kCaretBand);
    right = std::min(right, metrics.text.right + kCaretBand);
    const int height = metrics.rowHeight(visibleRow) - 1;
    if (left >= right || height <= 0) {
        return std::nullopt;
    }
    return HexPixelRect{left, metrics.rowTop(visibleRow) + 1, right - left, height};
}

HexCaret HexEditModel::hitTest(int x, int y) const {
    const HexLayout& metrics = layout();
    const int cw = metrics.charWidth;
    int column = x - metrics.text.left + horizontalPosition_ + cw / 2;
    column = std::clamp(column, metrics.hex.start, metrics.hex.end() - 5);
    const int line = std::clamp(y - metrics.text.top, 0, metrics.rows * metrics.lineHeight);
    const int character = (column - metrics.hex.start) / cw;
    const std::size_t row = static_cast<std::size_t>(line / metrics.lineHeight) +
                            static_cast<std::size_t>(verticalPosition_);
    const std::size_t byte = static_cast<std::size_t>(character / 3) + row * metrics.bytesPerRow;
    if (byte >= data_.size()) {
        return {data_.empty() ? 0 : data_.size() - 1, false};
    }
    return {byte, character % 3 == 0};
}

void HexEditModel::press(int x, int y, int dragWidth, int dragHeight) {
    dragging_ = !data_.empty();
    leftDragRect_ = false;
    if (!dragging_) {
        return;
    }
    caret_ = hitTest(x, y);
    dragLeft_ = x - dragWidth / 2;
    dragTop_ = y - dragHeight / 2;
    dragRight_ = dragLeft_ + dragWidth;
    dragBottom_ = dragTop_ + dragHeight;
    selection_.reset();
    anchor_ = caret_.byte;
}

bool HexEditModel::insideDragRect(int x, int y) const {
    return x >= dragLeft_ && x < dragRight_ && y >= dragTop_ && y < dragBottom_;
}

bool HexEditModel::dragTo(int x, int y) {
    if (!dragging_) {
        return false;
    }
    if (!leftDragRect_) {
        if (insideDragRect(x, y)) {
            return false;
        }
        leftDragRect_ = true;
    }
    const HexTextRect& text = layout().text;
    if (y < text.top) {
        autoScroll_.follow(text.top - y, -1, x, y);
    } else if (y >= text.bottom) {
        autoScroll_.follow(y - text.bottom, 1, x, y);
    } else {
        autoScroll_.stop();
    }
    extendDragSelection(x, y);
    return true;
}

bool HexEditModel::autoScrollTick() {
    const int direction = autoScroll_.tick();
    if (direction == 0) {
        return false;
    }
    scrollRows(direction);
    extendDragSelection(autoScroll_.pointerX(), autoScroll_.pointerY());
    return true;
}

void HexEditModel::extendDragSelection(int x, int y) {
    caret_ = hitTest(x, y);
    const std::size_t anchor = anchor_.value_or(caret_.byte);
    selection_ = HexSelection{std::min(anchor, caret_.byte), std::max(anchor, caret_.byte)};
}

void HexEditModel::release() {
    dragging_ = false;
    autoScroll_.stop();
}

void HexEditModel::doubleClick(int x, int y) {
    if (data_.empty()) {
        return;
    }
    caret_ = hitTest(x, y);
    selection_ = HexSelection{caret_.byte, caret_.byte};
}

std::optional<std::vector<uint8_t>> HexEditModel::copyBlock() const {
    if (!selection_) {
        return std::nullopt;
    }
    const std::span<const uint8_t> bytes(data_);
    return encodeBinaryDataBlock(
        bytes.subspan(selection_->first, selection_->last - selection_->first + 1));
}

std::optional<std::string> HexEditModel::copyText() const {
    if (!selection_) {
        return std::nullopt;
    }
    return selectionCopyText(data_, selection_->first, selection_->last, layout().bytesPerRow);
}

std::size_t HexEditModel::paste(std::span<const uint8_t> block) {
    if (readOnly_ || data_.empty()) {
        return 0;
    }
    const std::optional<std::span<const uint8_t>> bytes = decodeBinaryDataBlock(block);
    if (!bytes) {
        return 0;
    }
    const std::size_t position = selection_ ? selection_->first : caret_.byte;
    const std::size_t count = std::min(bytes->size(), data_.size() - position);
    if (count == 0) {
        return 0;
    }
    std::copy_n(bytes->begin(), count, data_.begin() + static_cast<std::ptrdiff_t>(position));
    const std::size_t last = position + count - 1;
    selection_ = HexSelection{position, last};
    makeVisible(position, last);
    caret_ = {last, false};
    return count;
}

std::vector<HexVisibleRow> HexEditModel::visibleRows() const {
    const HexLayout& metrics = layout();
    std::vector<HexVisibleRow> rows;
    for (int r = 0; r < metrics.rows; ++r) {
        const std::size_t row = static_cast<std::size_t>(verticalPosition_) + r;
        const std::size_t firstByte = row * metrics.bytesPerRow;
        if (firstByte >= data_.size()) {
            break;
        }
        HexVisibleRow visible;
        visible.top = metrics.rowTop(r);
        visible.firstByte = firstByte;
        visible.count = std::min<std::size_t>(metrics.bytesPerRow, data_.size() - firstByte);
        const std::size_t lastByte = firstByte + visible.count - 1;
        if (selection_ && selection_->first <= lastByte && selection_->last >= firstByte) {
            visible.selected = HexSelection{std::max(selection_->first, firstByte),
                                            std::min(selection_->last, lastByte)};
        }
        rows.push_back(visible);
    }
    return rows;
}

} // namespace zephlin
