#include "alarms/warning_popups.h"
#include "resources/form_blue.h"

#include "catalog/shown_text.h"
#include "framework/application.h"
#include "framework/system_date_time.h"
#include "resources/resource_names.h"

namespace zandrel {

TFormBlue& WarningPopups::Open(TMessageEntry& entry, PopupCounter& counter) {
    Application& app = App();
    app.Env().Beep(0);
    app.Sounds().Play(res::kSoundDing);
    entry.ComputeNextWarn(app.Env());
    // Creating the window may show an error box; the entry is not used after.
    const MessageText text = ShownTextOf(entry);

    FreeClosed();
    popups_.push_back(std::make_unique<TFormBlue>(closed_, makeFont_));
    TFormBlue& popup = *popups_.back();
    const std::string name =
        counter.Next([this](const std::string& candidate) { return NameInUse(candidate); });
    popup.SetName(name);
    SetWindowTextA(popup.Handle(), name.c_str());
    popup.Find(form_blue::lblTime).SetText(PopupTimeCaption(DateTimeToText(app.Env().Now())));
    LoadMessageText(popup.Find(form_blue::RichEdit1).Handle(), text);
    ShowWindow(popup.Handle(), SW_SHOW);
    return popup;
}

void WarningPopups::FreeClosed() {
    std::erase_if(popups_, [](const auto& popup) { return !popup->Handle(); });
}

bool WarningPopups::NameInUse(const std::string& name) const {
    for (const auto& popup : popups_) {
        if (popup->Handle() && popup->Name() == name) {
            return true;
        }
    }
    return false;
}

} // namespace zandrel
