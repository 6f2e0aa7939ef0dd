#pragma once
// A message that comes back: every day, week, month or year. "Done" moves
// its start and alarm moments to the next occurrence.
#include "storage/core/clock.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zandrel {

// The item index of the editor's "Repeat" list.
enum class RepeatPeriod : std::uint8_t { Never, Day, Week, Month, Year };

inline constexpr std::array<const char*, 5> kRepeatNames = {"Never", "Every day", "Every week",
                                                            "Every month", "Every year"};

const char* RepeatName(RepeatPeriod period);

struct RepeatRule {
    RepeatPeriod Period = RepeatPeriod::Never;
    // Day of the month of the first alarm (1..31): a monthly or yearly
    // repeat comes back on it where the month has it, else on the month's
    // last day.
    int Day = 0;
    // The alarm moment of the current occurrence as it fell due: a "Remind
    // me" moves the message's alarm moment, not the next occurrence.
    TDateTime Due = 0;
    // The message mails a notification: each occurrence mails it again.
    bool Mail = false;

    bool Repeats() const { return Period != RepeatPeriod::Never; }
    bool operator==(const RepeatRule&) const = default;
};

struct Occurrence {
    TDateTime Start = 0;
    TDateTime Alarm = 0;
};

// The next occurrence after `now`: the due moment (the alarm's when the rule
// has none) advanced by the smallest whole number of periods (none
// included) that puts it after now, on the rule's day for months and years,
// is the new alarm; the start moves by the same number of days, so the note
// comes up as long before its alarm as before. Times of day stay (date-times
// are local). Nullopt for a rule that does not repeat, a date that is not
// finite, and an occurrence after the year 9999.
std::optional<Occurrence> NextOccurrence(TDateTime start, TDateTime alarm, const RepeatRule& rule,
                                         TDateTime now);

// The rule that Add or Replace stores. `before` is the message's rule and
// `alarmBefore`, `notifyBefore` its alarm moment and Notify before the editor
// was read into it; `alarm` the alarm moment after; `chosen` the editor's
// list, `notify` its "e-mail notify". The day is the alarm's, unless the
// alarm stayed on its day: a note that came back on 28 February keeps 31;
// the due moment is the alarm's, unless the alarm stayed where it was (to
// the second: a "Remind me" stays a detour). Mailing stays on while the box
// shows what the message held (unchecked once the mail went out), and
// follows the box when the user changed it.
RepeatRule EditedRepeat(const RepeatRule& before, TDateTime alarmBefore, std::int32_t notifyBefore,
                        TDateTime alarm, RepeatPeriod chosen, bool notify);

// The day of the month of a date-time.
int DayOfMonth(TDateTime moment);

} // namespace zandrel
