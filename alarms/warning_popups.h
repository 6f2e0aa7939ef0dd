#pragma once
// The warning pop-ups of a run: each warning opens a new one, which lives
// until the user closes it.
#include "alarms/blueChip.h"
#include "alarms/core/timer_logic.h"
#include "storage/core/unit_entry.h"

#include <functional>
#include <memory>
#include <vector>

namespace zandrel {

class WarningPopups {
public:
    // closed: a pop-up has closed; its owner calls FreeClosed once the
    // closing pop-up's code has returned (from the message loop). The
    // pop-ups make their fonts with makeFont.
    explicit WarningPopups(std::function<void()> closed = {}, FontMaker makeFont = CreateFontFrom)
        : closed_(std::move(closed)), makeFont_(std::move(makeFont)) {}
    WarningPopups(const WarningPopups&) = delete;
    WarningPopups& operator=(const WarningPopups&) = delete;

    // The warning of `entry` is due: the default beep, "Ding", the next
    // warning moment, then a stay-on-top pop-up named and captioned with the
    // counter's next number, showing the present moment and the entry's text.
    TFormBlue& Open(TMessageEntry& entry, PopupCounter& counter);

    const std::vector<std::unique_ptr<TFormBlue>>& Popups() const { return popups_; }
    void DestroyAll() { popups_.clear(); }
    // Frees the pop-ups whose window is gone; their names are free again.
    void FreeClosed();

private:
    bool NameInUse(const std::string& name) const;

    std::function<void()> closed_;
    FontMaker makeFont_;
    std::vector<std::unique_ptr<TFormBlue>> popups_;
};

} // namespace zandrel
