#pragma once
// One tick of the main window's timer: which messages' stickers have just
// become due and which message's periodic warning is due, in the order the
// tick acts on them; and the numbering of the warning pop-ups.
#include "storage/core/clock.h"
#include "storage/core/unit_entry.h"

#include <functional>
#include <string>
#include <string_view>

namespace zandrel {

inline constexpr int TimerInterval = 20000; // milliseconds

// What a tick needs to know of one message.
struct TimerSource {
    TDateTime StartDate = 0;
    TDateTime AlarmDate = 0;
    int IncType = 0;
    TDateTime NextWarn = 0;
    // The moment of the last tick that looked at this message; 0 before the
    // first.
    TDateTime LastLook = 0;
};

TimerSource TimerSourceOf(const TMessageEntry& entry);

// The change window W, in days: three timer intervals.
TDateTime ChangeWindow(int intervalMs);

// A start or alarm moment lies in the last W (now > moment and now < moment +
// W), or has passed since the last look at the message: a sleep, a clock set
// forward or ticks that ended early at an earlier message's pop-up never
// swallow a moment.
bool StickersDue(const TimerSource& message, TDateTime now, TDateTime changeWindow);

// A periodic kind (IncType 1, 2 or 3) and now > NextWarn.
bool WarningDue(const TimerSource& message, TDateTime now);

// What the main window does for one tick.
struct TimerTickActions {
    // The message at a list index, read when the tick reaches it.
    std::function<TimerSource(int index)> Message;
    // The stickers of one or more messages have just become due:
    // RebuildStickers, "Ding", ShowCurrentMessage, once for all of them.
    std::function<void()> RebuildDue;
    // The warning of this message is due: beep, "Ding", ComputeNextWarn on
    // the entry, the pop-up. The tick ends after it.
    std::function<void(int index)> OpenWarning;
    // The tick has looked at this message's moments up to `moment`.
    std::function<void(int index, TDateTime moment)> Looked;
};

// Walks indices 0..count-1 (count read once by the caller) against the clock
// read as the tick begins. The messages whose stickers have just become due
// share one rebuild, made before the first due warning's pop-up or after the
// last message: the set, the current message and the notifications sent are
// what one rebuild per due message would leave, with one "Ding". The first
// due warning ends the tick, so at most one pop-up opens per tick; the
// messages after it are looked at on the next tick. After the rebuild the
// warning's message is looked up again, against the clock read again (a
// dialog of the mail service may have changed the list meanwhile).
void RunTimerTick(int count, int intervalMs, const Clock& clock, const TimerTickActions& actions);

// Marks the time in which a tick or a sticker rebuild runs, so that a timer
// message delivered by a modal loop inside one of them (a dialog of the mail
// service during a rebuild) does not start a second tick.
class BusyMark {
public:
    class Hold {
    public:
        explicit Hold(BusyMark& mark) : mark_(mark) { ++mark_.depth_; }
        ~Hold() { --mark_.depth_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        BusyMark& mark_;
    };

    bool IsBusy() const { return depth_ > 0; }

private:
    int depth_ = 0;
};

// "Zandrel_blueChip_%d".
std::string PopupName(int number);

// "Message time: %s" with the date-time text.
std::string PopupTimeCaption(std::string_view dateTimeText);

// PopupCount: numbers the warning pop-ups 1, 2, ..., 31000, then 0, 1, ...
class PopupCounter {
public:
    static constexpr int Limit = 31000;

    // Moves on to the next number and returns its pop-up name. A number whose
    // name still belongs to a pop-up (closed pop-ups are only hidden) is
    // passed over, so names stay unique after the wrap; should every number be
    // taken, the next one is used anyway.
    std::string Next(const std::function<bool(const std::string& name)>& nameInUse);

    int Value() const { return value_; }

private:
    void Advance() { value_ = value_ >= Limit ? 0 : value_ + 1; }

    int value_ = 0;
};

} // namespace zandrel
