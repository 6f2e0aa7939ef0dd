#include "alarms/blueChip.h"

#include "resources/form_blue.h"

#include <richedit.h>

namespace zandrel {
namespace {

constexpr COLORREF kPopupBlue = RGB(0, 0, 255);
constexpr COLORREF kTimeYellow = RGB(255, 255, 0);
constexpr COLORREF kTextWhite = RGB(255, 255, 255);

} // namespace

TFormBlue::TFormBlue(std::function<void()> closed, FontMaker makeFont)
    : Form(FormBlueDescription()), closed_(std::move(closed)), makeFont_(std::move(makeFont)) {
    Bind(form_blue::on::FormCreate, WhileModal::Runs, &TFormBlue::FormCreate);
    Bind(form_blue::on::FormClose, WhileModal::Runs, &TFormBlue::FormClose);
    Create(false);
}

// Freed, not hidden: a pop-up opens for every warning of the program's life.
void TFormBlue::FormClose(Event& event) {
    event.Action = CloseAction::Free;
    if (closed_) {
        closed_();
    }
}

// Stays on top at its designed place (a 96-DPI place, scaled like its size).
void TFormBlue::FormCreate(Event&) {
    const FormDescription& design = Description();
    SetWindowPos(Handle(), HWND_TOPMOST, Scale(200), Scale(116), Scale(design.Width),
                 Scale(design.Height), SWP_NOACTIVATE);
    SetFonts();

    const HWND text = Find(form_blue::RichEdit1).Handle();
    SendMessageA(text, EM_SETREADONLY, TRUE, 0);
    SendMessageA(text, EM_SETBKGNDCOLOR, 0, kPopupBlue);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = kTextWhite;
    SendMessageA(text, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageA(text, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void TFormBlue::SetFonts() {
    FontHandle bold = MakeFont(true);
    FontHandle text = MakeFont(false);
    SendMessageA(Find(form_blue::lblTime).Handle(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontOrSystem(bold)), FALSE);
    SendMessageA(Find(form_blue::RichEdit1).Handle(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontOrSystem(text)), FALSE);
    boldFont_ = std::move(bold);
    textFont_ = std::move(text);
}

// The design's font; none when the system refuses it.
FontHandle TFormBlue::MakeFont(bool bold) {
    FontDescription font{Description().FontName, Description().FontHeight};
    font.Bold = bold;
    try {
        return makeFont_(font, Scaling());
    } catch (const SystemError& error) {
        refusals_.Tell(error);
        return {};
    }
}

LRESULT TFormBlue::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle(), &client);
        const auto dc = reinterpret_cast<HDC>(wParam);
        FillRect(dc, &client, SolidBrush(dc, kPopupBlue));
        return 1;
    }
    // The panel and the time, the panel's erasing included.
    case WM_CTLCOLORSTATIC: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kTimeYellow);
        SetBkColor(dc, kPopupBlue);
        return reinterpret_cast<LRESULT>(SolidBrush(dc, kPopupBlue));
    }
    default:
        return Form::HandleMessage(message, wParam, lParam);
    }
}

} // namespace zandrel
