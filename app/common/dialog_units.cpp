#include "common/dialog_units.h"

#include <cstdint>

namespace zephlin {
namespace {

// value * numerator / denominator, rounded half away from zero.
int scaleRounded(int value, int numerator, int denominator) {
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    const int64_t rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

} // namespace

int horizontalPixels(int units, const DialogBaseUnits& base) {
    return scaleRounded(units, base.averageCharWidth, 4);
}

int verticalPixels(int units, const DialogBaseUnits& base) {
    return scaleRounded(units, base.charHeight, 8);
}

PixelRect toPixels(const DluRect& rect, const DialogBaseUnits& base) {
    return {horizontalPixels(rect.left, base), verticalPixels(rect.top, base),
            horizontalPixels(rect.width, base), verticalPixels(rect.height, base)};
}

int averageCharWidthOf52Letters(int advanceOf52Letters) {
    return (advanceOf52Letters / 26 + 1) / 2;
}

} // namespace zephlin
