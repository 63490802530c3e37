#include "buffer/core/hex_auto_scroll.h"

#include <algorithm>

namespace zephlin {

int HexAutoScroll::intervalFor(int distance) {
    return 7 - std::min((std::max(distance, 0) + 1) / 5, 6);
}

void HexAutoScroll::follow(int distance, int direction, int x, int y) {
    interval_ = intervalFor(distance);
    direction_ = direction < 0 ? -1 : 1;
    x_ = x;
    y_ = y;
    if (!running_) {
        running_ = true;
        countdown_ = interval_;
    }
}

int HexAutoScroll::tick() {
    if (!running_) {
        return 0;
    }
    if (countdown_ != 0) {
        --countdown_;
        return 0;
    }
    countdown_ = interval_;
    return direction_;
}

} // namespace zephlin
