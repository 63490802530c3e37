// Draws the hex editor's visible rows into an off-screen surface of the
// client size; the cost depends on the window, not on the data length.
#pragma once

#include "buffer/core/hex_edit_model.h"

#include <QColor>
#include <QFont>
#include <QImage>

namespace zephlin {

struct HexColours {
    QColor addressBackground;
    QColor addressText;
    QColor asciiBackground;
    QColor asciiText;
    QColor hexText;
    QColor hexBackground;
    QColor emptyArea;
    QColor selectionBackground;
    QColor selectionText;
};

// A font whose every character advances by exactly the layout's character
// width, with the baseline's distance from a row's top.
struct HexFont {
    QFont font;
    int ascent = 0;
};

void renderHexSurface(QImage& surface, const HexEditModel& model, const HexColours& colours,
                      const HexFont& font);

} // namespace zephlin
