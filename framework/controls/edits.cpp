#include "framework/controls/edits.h"

#include "framework/controls/rich_edit.h"

#include <commctrl.h>
#include <richedit.h>

namespace zandrel {

Edit::Edit(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id,
              {WC_EDITA, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 0, true}) {}

void Edit::Command(UINT code, int) {
    if (code == EN_CHANGE) {
        Fire(OnChange);
    }
}

Memo::Memo(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id,
              {WC_EDITA, ES_MULTILINE | ES_READONLY | ES_CENTER | ES_AUTOVSCROLL}) {
    std::string text;
    for (const std::string& line : description.Items) {
        text += line + "\r\n";
    }
    SetText(text.substr(0, text.empty() ? 0 : text.size() - 2));
}

RichEdit::RichEdit(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id,
              {"RichEdit20A",
               ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
               WS_EX_CLIENTEDGE}) {
    SendMessageA(Handle(), EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
    LiftTextLimit(Handle());
    LeaveEscapeToForm(Handle());
    KeepEmbeddedObjects(Handle());
    // The rich-text control paints itself: it takes no colours from the form.
    if (description.Background) {
        SendMessageA(Handle(), EM_SETBKGNDCOLOR, 0, ColorRef(*description.Background));
    }
    if (description.FontColor) {
        CHARFORMAT2A format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_COLOR;
        format.crTextColor = ColorRef(*description.FontColor);
        SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    }
}

void RichEdit::Notify(const NMHDR& header) {
    if (header.code == EN_SELCHANGE) {
        Fire(OnChange);
    }
}

UpDown::UpDown(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id,
              {UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS}) {}

void UpDown::Connect(const ControlLookup& find) {
    const ComponentDescription& description = Description();
    if (description.Associate.empty()) {
        return;
    }
    SendMessageA(Handle(), UDM_SETBUDDY,
                 reinterpret_cast<WPARAM>(find(description.Associate).Handle()), 0);
    SendMessageA(Handle(), UDM_SETRANGE32, description.Min, description.Max);
    SendMessageA(Handle(), UDM_SETPOS32, 0, description.Position);
    UDACCEL step{0, UINT(description.Increment)};
    SendMessageA(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
}

} // namespace zandrel
