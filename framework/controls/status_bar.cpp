#include "framework/controls/status_bar.h"

#include <commctrl.h>

#include <vector>

namespace zandrel {

StatusBar::StatusBar(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id, {STATUSCLASSNAMEA, SBARS_SIZEGRIP}) {
    SetParts();
    if (description.Background) {
        SendMessageA(Handle(), SB_SETBKCOLOR, 0, ColorRef(*description.Background));
    }
}

// The panels' right edges at the bar's DPI.
void StatusBar::SetParts() {
    std::vector<int> edges;
    int right = 0;
    for (const int width : Description().PanelWidths) {
        right += width;
        edges.push_back(Scaling().Scale(right));
    }
    if (!edges.empty()) {
        edges.back() = -1;
        SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
}

void StatusBar::ApplyDpi() {
    Control::ApplyDpi();
    SetParts();
}

std::string StatusBar::PanelText(int panel) const {
    const auto length = LOWORD(SendMessageA(Handle(), SB_GETTEXTLENGTHA, panel, 0));
    std::string text(length + 1, '\0');
    SendMessageA(Handle(), SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void StatusBar::SetPanelText(int panel, const std::string& text) {
    SendMessageA(Handle(), SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetPanelText(int panel, const std::wstring& text) {
    SendMessageW(Handle(), SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace zandrel
