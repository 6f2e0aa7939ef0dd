#pragma once
// The warning pop-up: a blue window that stays on top of the others and
// shows a message's text with the moment of the warning. A closed pop-up
// loses its window; its owner frees the rest later (see WarningPopups).
#include "framework/form.h"

#include <functional>
#include <string>

namespace zandrel {

class TFormBlue : public Form {
public:
    // closed: runs as the pop-up closes, just before its window goes; it must
    // not free the pop-up, only arrange for that later.
    explicit TFormBlue(std::function<void()> closed = {});

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
    static LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self) noexcept;

    std::function<void()> closed_;
    std::string name_ = "FormBlue";
    BrushHandle blue_;
    FontHandle boldFont_;
    FontHandle textFont_;
};

} // namespace zandrel
