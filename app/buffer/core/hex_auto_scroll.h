// The pace of scrolling while the user drags a selection above or below the
// text: a 5 ms timer ticks, and a row passes every interval + 1 ticks, faster
// the farther the pointer is from the text.
#pragma once

namespace zephlin {

class HexAutoScroll {
public:
    static constexpr int kTickMilliseconds = 5;

    // The pointer is `distance` pixels above (direction -1) or below (+1) the
    // text at (x, y). Starts the countdown when not yet running.
    void follow(int distance, int direction, int x, int y);
    void stop() { running_ = false; }
    bool running() const { return running_; }

    // One timer tick: the direction of the row to scroll now, or 0.
    int tick();

    int pointerX() const { return x_; }
    int pointerY() const { return y_; }
    int interval() const { return interval_; }

    static int intervalFor(int distance);

private:
    bool running_ = false;
    int direction_ = 0;
    int interval_ = 0;
    int countdown_ = 0;
    int x_ = 0;
    int y_ = 0;
};

} // namespace zephlin
