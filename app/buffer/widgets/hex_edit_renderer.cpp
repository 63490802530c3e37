#include "buffer/widgets/hex_edit_renderer.h"

#include "buffer/core/hex_row_text.h"

#include <QPainter>
#include <QString>

namespace zephlin {
namespace {

constexpr int kClipWidening = 2;

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Fills a column with its background and draws one text per row at its
// left edge.
template <typename RowText>
void drawTextColumn(QPainter& painter, const HexEditModel& model,
                    const std::vector<HexVisibleRow>& rows, const HexColumn& column,
                    const QColor& background, const QColor& text, const HexFont& font,
                    RowText rowText) {
    const HexTextRect& textRect = model.layout().text;
    const int x = model.clientX(column.start);
    painter.fillRect(QRect(x, textRect.top, column.width, textRect.height()), background);
    painter.setPen(text);
    for (const HexVisibleRow& row : rows) {
        painter.drawText(x, row.top + font.ascent, latin1(rowText(row)));
    }
}

// The selected bytes of each row again, over the selection background: from
// the first selected digit to one pixel past the last one.
void drawSelection(QPainter& painter, const HexEditModel& model,
                   const std::vector<HexVisibleRow>& rows, const HexColours& colours,
                   const HexFont& font) {
    const HexLayout& layout = model.layout();
    painter.setPen(colours.selectionText);
    for (const HexVisibleRow& row : rows) {
        if (!row.selected) {
            continue;
        }
        const int left = model.clientX(model.digitOffset(row.selected->first));
        const int right =
            model.clientX(model.digitOffset(row.selected->last) + 2 * layout.charWidth) + 1;
        painter.fillRect(QRect(left, row.top, right - left, layout.lineHeight),
                         colours.selectionBackground);
        const std::size_t count = row.selected->last - row.selected->first + 1;
        painter.drawText(left, row.top + font.ascent,
                         latin1(hexRowText(model.data().subspan(row.selected->first, count))));
    }
}

} // namespace

void renderHexSurface(QImage& surface, const HexEditModel& model, const HexColours& colours,
                      const HexFont& font) {
    const HexLayout& layout = model.layout();
    QPainter painter(&surface);
    painter.fillRect(QRect(QPoint(0, 0), surface.deviceIndependentSize().toSize()),
                     colours.emptyArea);
    painter.setClipRect(QRect(layout.text.left - kClipWidening, layout.text.top,
                              layout.text.width() + 2 * kClipWidening, layout.text.height()));
    painter.setFont(font.font);

    const std::vector<HexVisibleRow> rows = model.visibleRows();
    const std::span<const uint8_t> data = model.data();
    const auto bytesOf = [data](const HexVisibleRow& row) {
        return data.subspan(row.firstByte, row.count);
    };
    const HexLayoutSettings& settings = model.layoutSettings();
    if (settings.showAddress) {
        drawTextColumn(painter, model, rows, layout.address, colours.addressBackground,
                       colours.addressText, font, [&](const HexVisibleRow& row) {
                           return addressText(row.firstByte, settings.addressDigits);
                       });
    }
    if (!data.empty()) {
        drawTextColumn(painter, model, rows, layout.hex, colours.hexBackground, colours.hexText,
                       font, [&](const HexVisibleRow& row) { return hexRowText(bytesOf(row)); });
        drawSelection(painter, model, rows, colours, font);
    }
    if (settings.showAscii) {
        drawTextColumn(painter, model, rows, layout.ascii, colours.asciiBackground,
                       colours.asciiText, font,
                       [&](const HexVisibleRow& row) { return asciiRowText(bytesOf(row)); });
    }
}

} // namespace zephlin
