#pragma once
// The warning pop-up: a blue window that stays on top of the others and
// shows a message's text with the moment of the warning. A closed pop-up
// loses its window; its owner frees the rest later (see WarningPopups).
// A font the system refuses leaves it the system's font, said once: a warning
// is never lost for want of its looks.
#include "framework/form.h"
#include "framework/refusals.h"

#include <functional>
#include <string>

namespace zandrel {

// How the pop-up makes its fonts: CreateFontFrom, or a test's that refuses.
using FontMaker = std::function<FontHandle(const FontDescription&, DpiScale)>;

class TFormBlue : public Form {
public:
    // closed: runs as the pop-up closes, just before its window goes; it must
    // not free the pop-up, only arrange for that later.
    explicit TFormBlue(std::function<void()> closed = {}, FontMaker makeFont = CreateFontFrom);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    void FormCreate(Event& event);
    void FormClose(Event& event);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override { SetFonts(); }

private:
    // The bold time and the text's font, at the pop-up's DPI.
    void SetFonts();
    FontHandle MakeFont(bool bold);

    std::function<void()> closed_;
    FontMaker makeFont_;
    Refusals refusals_;
    std::string name_ = "FormBlue";
    FontHandle boldFont_;
    FontHandle textFont_;
};

} // namespace zandrel
