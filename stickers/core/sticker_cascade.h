#pragma once
// Which messages get a sticker at a rebuild, in which colour, and where each
// one hangs in the cascade at the right edge of the screen. The windows are
// created by the shell from this plan. Sizes and steps are 96-DPI figures,
// scaled by the DPI of the monitor a sticker lands on.
#include "framework/core/dpi_scale.h"
#include "storage/core/clock.h"
#include "storage/core/message_list.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zandrel {

// Window heights of newly built stickers, chosen by ChildExpanded.
inline constexpr int StickerHeightNormal = 140;
inline constexpr int StickerHeightShort = 70;
// Window width of a sticker (its form resource).
inline constexpr int StickerWidth = 210;

struct ScreenPosition {
    int Left = 0;
    int Top = 0;
    friend bool operator==(const ScreenPosition&, const ScreenPosition&) = default;
};

// What a rebuild needs to know of one message.
struct StickerSource {
    TDateTime StartDate = 0;
    TDateTime AlarmDate = 0;
    bool KeepHidden = false;
    // Where the user left the sticker, in pixels of the virtual screen, when
    // the stored position is usable (StoredPlaceUsable).
    std::optional<ScreenPosition> Place;
};

struct WindowBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

// One sticker to create, in creation order.
struct PlannedSticker {
    int Index = 0;    // list index of its message; its StickerHandle gets the window
    std::string Name; // "Memo_%d" with Index
    bool Red = false; // clRed instead of clYellow
    // The window's size at 96 DPI, and the DPI it is laid out for: that of
    // the monitor it goes to.
    int Width = StickerWidth;
    int Height = StickerHeightNormal;
    int Dpi = kDesignDpi;
    // Its own place or its cascade slot; none for a Keep Hidden message,
    // whose sticker stays hidden (but is created, linked and mails) and
    // takes no slot.
    std::optional<ScreenPosition> Position;
};

struct StickerPlan {
    // The sticker that always exists, linked to no message, off the screen.
    WindowBounds Placeholder;
    int PlaceholderDpi = kDesignDpi;
    std::vector<PlannedSticker> Stickers;
    // CurrentIndex after the rebuild: the last message; none (unchanged) for
    // an empty list.
    std::optional<int> CurrentIndex;
};

// Where a placed sticker's window goes on the screen: its place, and its
// size at its DPI.
WindowBounds ScreenBounds(const PlannedSticker& planned);

// The top strip of a sticker placed at `place`, in window coordinates: the
// caption bar that the region hides and the title strip below it. A stored
// place is used only while all of it lies on the monitors.
WindowBounds StickerCaptionRow(ScreenPosition place, DpiScale scale = {});
bool CoveredByMonitors(WindowBounds area, std::span<const MonitorArea> monitors);
// The monitor a point lies on; none when it lies on no monitor.
const MonitorArea* MonitorAt(ScreenPosition point, std::span<const MonitorArea> monitors);
// The primary monitor: the one whose top-left corner is (0, 0).
const MonitorArea* PrimaryMonitor(std::span<const MonitorArea> monitors);

// A message has a sticker once Now > StartDate, red once Now > AlarmDate;
// each comparison reads the clock afresh. A sticker goes back to the place
// the user left it at while its caption row lies on the monitors that exist
// now, at the DPI of the monitor there; the others hang on the primary
// monitor, at its DPI, in rows of 40 pixels from the top-right corner of the
// screen, closing up over those with a place of their own; one that would
// reach below the screen starts a new column at Top 40, 30 pixels further
// left. A place that lies on no monitor now is kept in its message, so the
// sticker goes back there once the monitor returns.
StickerPlan PlanStickers(std::span<const StickerSource> messages, const Clock& clock,
                         ScreenSize screen, std::span<const MonitorArea> monitors, bool expanded);

// The rebuild's view of every message in the list, in list order.
std::vector<StickerSource> StickerSources(const MessageList& list);

// "Memo_%d".
std::string StickerName(int index);

} // namespace zandrel
