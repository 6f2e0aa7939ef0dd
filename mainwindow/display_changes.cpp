#include "mainwindow/display_changes.h"

#include "framework/application.h"
#include "framework/core/callback_errors.h"
#include "framework/dpi.h"

#include <utility>

namespace zandrel {
namespace {

struct FormEnumeration {
    std::vector<HWND> forms;
    CallbackErrors errors;
};

BOOL CALLBACK AddVisibleForm(HWND window, LPARAM data) {
    auto& found = *reinterpret_cast<FormEnumeration*>(data);
    return found.errors.Run([&] {
        if (IsForm(window) && IsWindowVisible(window)) {
            found.forms.push_back(window);
        }
    });
}

// The program's windows on the screen now: its visible forms.
std::vector<HWND> VisibleForms() {
    FormEnumeration found;
    EnumThreadWindows(GetCurrentThreadId(), AddVisibleForm, reinterpret_cast<LPARAM>(&found));
    found.errors.Rethrow();
    return std::move(found.forms);
}

void BringOntoMonitor(HWND window, const std::vector<MonitorArea>& monitors) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const WindowPlace place{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    if (const auto back = BackOntoMonitor(place, monitors)) {
        SetWindowPos(window, nullptr, back->Left, back->Top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace

void BringFormsOntoMonitors(const std::vector<MonitorArea>& monitors,
                            const std::function<bool(HWND)>& staysPut) {
    for (const HWND form : VisibleForms()) {
        if (!staysPut(form)) {
            BringOntoMonitor(form, monitors);
        }
    }
}

void WindowIcons::SetFor(Form& form, const char* resource) {
    auto load = [&](int systemSize) {
        const int size = MulDiv(systemSize, form.Scaling().Dpi(), SystemDpi());
        return IconHandle(
            static_cast<HICON>(LoadImageA(App().Instance(), resource, IMAGE_ICON, size, size, 0)));
    };
    IconHandle big = load(GetSystemMetrics(SM_CXICON));
    IconHandle small = load(GetSystemMetrics(SM_CXSMICON));
    form.SetIcon(big.get(), small.get());
    // The old ones go once the window holds the new ones.
    big_ = std::move(big);
    small_ = std::move(small);
}

} // namespace zandrel
