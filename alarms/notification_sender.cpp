#include "alarms/notification_sender.h"

#include "alarms/core/mail_notification.h"
#include "catalog/shown_text.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/handles.h"
#include "resources/resource_names.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace zandrel {
namespace {

// The text's paragraphs, as a hidden rich-text control streams them out:
// one line each, however the control would wrap them on the screen.
std::vector<std::string> PlainLines(const MessageText& text, HWND parent) {
    const WindowHandle control(CreateWindowExA(0, "RichEdit20A", "", WS_CHILD | ES_MULTILINE, 0, 0,
                                               0, 0, parent, nullptr, App().Instance(), nullptr));
    if (!control) {
        throw std::runtime_error("Cannot create the notification's text control");
    }
    LiftTextLimit(control.get());
    LoadMessageText(control.get(), text);
    return TextLines(PlainText(control.get()));
}

} // namespace

void SendMailNotification(TMessageEntry& entry, TEmail& email, HWND mainWindow) {
    if (entry.Notify < 1) {
        return;
    }
    entry.Notify = 0;
    App().Sounds().Play(res::kSoundLaser);
    const auto mail = NotificationFor(PlainLines(ShownTextOf(entry), mainWindow), entry.Addresses);
    if (!mail) {
        return;
    }
    email.SetRecipient(mail->Recipients);
    email.SetSubject(mail->Subject);
    email.SetLongText(mail->Body);
    email.SendMail();
}

} // namespace zandrel
