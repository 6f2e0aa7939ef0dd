#pragma once
// The warning pop-up: a blue window that stays on top of the others and
// shows a message's text with the moment of the warning. Closing it only
// hides it.
#include "framework/form.h"

#include <string>

namespace zandrel {

class TFormBlue : public Form {
public:
    TFormBlue();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    void FormCreate(Event& event);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self) noexcept;

    std::string name_ = "FormBlue";
    BrushHandle blue_;
    FontHandle boldFont_;
    FontHandle textFont_;
};

} // namespace zandrel
