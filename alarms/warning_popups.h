#pragma once
// The warning pop-ups of a run: each warning opens a new one; they live, at
// most hidden, until the program ends.
#include "alarms/blueChip.h"
#include "alarms/timer_logic.h"
#include "storage/unit_entry.h"

#include <memory>
#include <vector>

namespace zandrel {

class WarningPopups {
public:
    WarningPopups() = default;
    WarningPopups(const WarningPopups&) = delete;
    WarningPopups& operator=(const WarningPopups&) = delete;

    // The warning of `entry` is due: the default beep, "Ding", the next
    // warning moment, then a stay-on-top pop-up named and captioned with the
    // counter's next number, showing the present moment and the entry's text.
    TFormBlue& Open(TMessageEntry& entry, PopupCounter& counter);

    const std::vector<std::unique_ptr<TFormBlue>>& Popups() const { return popups_; }
    void DestroyAll() { popups_.clear(); }

private:
    bool NameInUse(const std::string& name) const;

    std::vector<std::unique_ptr<TFormBlue>> popups_;
};

} // namespace zandrel
