#include "alarms/blueChip.h"

#include "resources/form_blue.h"

#include <commctrl.h>
#include <richedit.h>

namespace zandrel {
namespace {

constexpr COLORREF kPopupBlue = RGB(0, 0, 255);
constexpr COLORREF kTimeYellow = RGB(255, 255, 0);
constexpr COLORREF kTextWhite = RGB(255, 255, 255);
constexpr UINT_PTR kPanelSubclass = 1;

FontHandle MakeFont(const FormDescription& design, DpiScale scale, int weight) {
    return FontHandle(CreateFontA(scale.Scale(design.FontHeight), 0, 0, 0, weight, FALSE, FALSE,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  design.FontName.c_str()));
}

} // namespace

TFormBlue::TFormBlue(std::function<void()> closed)
    : Form(FormBlueDescription()), closed_(std::move(closed)) {
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
    blue_.reset(CreateSolidBrush(kPopupBlue));
    SetFonts();
    SetWindowSubclass(Find(form_blue::Panel1).Handle(), PanelProcedure, kPanelSubclass,
                      reinterpret_cast<DWORD_PTR>(this));

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
    FontHandle bold = MakeFont(Description(), Scaling(), FW_BOLD);
    FontHandle text = MakeFont(Description(), Scaling(), FW_NORMAL);
    SendMessageA(Find(form_blue::lblTime).Handle(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(bold.get()), FALSE);
    SendMessageA(Find(form_blue::RichEdit1).Handle(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(text.get()), FALSE);
    boldFont_ = std::move(bold);
    textFont_ = std::move(text);
}

LRESULT TFormBlue::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, blue_.get());
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kTimeYellow);
        SetBkColor(dc, kPopupBlue);
        return reinterpret_cast<LRESULT>(blue_.get());
    }
    default:
        return Form::HandleMessage(message, wParam, lParam);
    }
}

LRESULT CALLBACK TFormBlue::PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self) noexcept {
    if (message == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 reinterpret_cast<TFormBlue*>(self)->blue_.get());
        return 1;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, PanelProcedure, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace zandrel
