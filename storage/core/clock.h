#pragma once
// The outside world as the portable core sees it: the local clock and the
// screen size are always handed in, never read here.

namespace zandrel {

// Days since 1899-12-30; the fraction is the local time of day.
using TDateTime = double;

class Clock {
public:
    virtual ~Clock() = default;
    // The current local date-time; read afresh at every call.
    virtual TDateTime Now() const = 0;
};

// A clock that always tells the same moment: `--now` of the tools, and the
// benchmark's rounds.
class FixedClock : public Clock {
public:
    explicit FixedClock(TDateTime now) : now_(now) {}
    TDateTime Now() const override { return now_; }

private:
    TDateTime now_;
};

struct ScreenSize {
    int Width = 1024;
    int Height = 768;
};

// One monitor's rectangle on the virtual screen, in pixels (Right and Bottom
// excluded), and its dots per inch. The primary monitor's top-left corner is
// (0, 0).
struct MonitorArea {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Dpi = 96;
};

} // namespace zandrel
