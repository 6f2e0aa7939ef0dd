#pragma once
// Find in the main window: the Find box, and the search it starts from the
// message after the one shown, round to it again.
#include "framework/form.h"

#include <functional>
#include <string>

namespace zandrel {

class TFormMain;

// The box captioned "Find": the text to look for, "Find next" (also Enter)
// and "Close" (also Esc). It stays open until closed, whatever was found.
class TFormFind : public Form {
public:
    TFormFind(const std::wstring& text, std::function<void(const std::wstring&)> findNext);

    std::wstring Text() const;

    void btnFindNextClick(Event& event);
    void btnCloseClick(Event& event);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void(const std::wstring&)> findNext_;
};

class MessageFinder {
public:
    explicit MessageFinder(TFormMain& form) : form_(form) {}

    // The Find box, modally, over the main window, with the last text.
    void ShowBox();
    // F3: the next match of the last text; the box while there is none.
    void FindAgain();
    // The next message whose text holds `text` becomes the current one, with
    // the text selected in the editor; none: "Not found: " and the text in
    // the status bar's last panel, and the default beep.
    void FindNext(const std::wstring& text);

private:
    TFormMain& form_;
    std::wstring lastText_;
};

} // namespace zandrel
