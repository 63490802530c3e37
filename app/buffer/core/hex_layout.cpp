#include "buffer/core/hex_layout.h"

#include <algorithm>

namespace zephlin {
namespace {

constexpr int kMargin = 5; // around the text and after each column

unsigned automaticBytesPerRow(int width, int cw, bool showAscii) {
    // With ASCII a byte costs four characters (three in the hexadecimal
    // column, one in the character column); the last byte needs no space
    // after its digits, so a remainder of three characters still fits one.
    const int available = showAscii ? width - kMargin : width;
    if (available < 0) {
        return 1;
    }
    const int perByte = (showAscii ? 4 : 3) * cw;
    const int lastByte = (showAscii ? 3 : 2) * cw;
    int count = available / perByte;
    if (available % perByte >= lastByte) {
        ++count;
    }
    return static_cast<unsigned>(std::max(count, 1));
}

} // namespace

std::size_t HexLayout::dataRows(std::size_t dataLength) const {
    return (dataLength + bytesPerRow - 1) / bytesPerRow;
}

HexLayout computeHexLayout(const HexLayoutSettings& settings, std::size_t dataLength) {
    HexLayout layout;
    const int cw = std::max(settings.charWidth, 1);
    const int lh = std::max(settings.lineHeight, 1);
    layout.charWidth = cw;
    layout.lineHeight = lh;

    layout.text.left = kMargin;
    layout.text.top = kMargin;
    layout.text.right = std::max(layout.text.left, settings.clientWidth - kMargin);
    layout.text.bottom = std::max(layout.text.top, settings.clientHeight - kMargin);

    const int textHeight = layout.text.height();
    layout.fullRows = textHeight / lh;
    const int remainder = textHeight % lh;
    layout.rows = layout.fullRows + (remainder != 0 ? 1 : 0);
    layout.lastRowHeight = remainder != 0 ? remainder : lh;

    const int addressWidth =
        settings.showAddress ? static_cast<int>(settings.addressDigits) * cw + kMargin : 0;
    layout.address = {0, addressWidth};

    layout.bytesPerRow =
        settings.automaticBytesPerRow
            ? automaticBytesPerRow(layout.text.width() - addressWidth, cw, settings.showAscii)
            : std::max(settings.bytesPerRowSetting, 1U);
    const int bytes = static_cast<int>(layout.bytesPerRow);

    layout.hex = {addressWidth, (3 * bytes - 1) * cw + kMargin};
    if (settings.showAscii) {
        layout.ascii = {layout.hex.end(), bytes * cw};
        layout.contentWidth = layout.ascii.end();
    } else {
        layout.ascii = {layout.hex.end(), 0};
        layout.contentWidth = layout.hex.end() - kMargin;
    }

    const auto rowsNeeded = static_cast<long long>(layout.dataRows(dataLength));
    layout.verticalMaximum = static_cast<int>(std::max(0LL, rowsNeeded - layout.fullRows));
    layout.horizontalMaximum = std::max(0, layout.contentWidth - layout.text.width());
    return layout;
}

} // namespace zephlin
