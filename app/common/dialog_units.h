// Dialog units: control positions are given in units of the window font, a
// quarter of its average character width across and an eighth of its height
// down, so that a layout grows with the font as a dialog template does.
#pragma once

namespace zephlin {

struct DialogBaseUnits {
    int averageCharWidth = 0; // pixels
    int charHeight = 0;       // pixels
};

// A rectangle in dialog units: left, top, width, height.
struct DluRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// Dialog units to pixels, rounded to the nearest pixel as the platform does
// (horizontal: units x width / 4, vertical: units x height / 8).
int horizontalPixels(int units, const DialogBaseUnits& base);
int verticalPixels(int units, const DialogBaseUnits& base);
PixelRect toPixels(const DluRect& rect, const DialogBaseUnits& base);

// The average character width from the advance of the 52 letters A-Z a-z,
// rounded as the platform rounds it.
int averageCharWidthOf52Letters(int advanceOf52Letters);

} // namespace zephlin
