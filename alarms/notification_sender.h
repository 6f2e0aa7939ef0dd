#pragma once
// A message's pending e-mail notification, sent through the mail component.
#include "alarms/Email.h"
#include "storage/core/unit_entry.h"

#include <windows.h>

namespace zandrel {

// Nothing unless the entry's notification is pending. Clears it before
// anything can fail, so that it is attempted at most once; plays "Laser";
// then mails the text's lines to the entry's addresses, unless the text has
// no lines. mainWindow parents the hidden control that turns the formatted
// text into plain lines. Whether the mail service sent it is not looked at.
void SendMailNotification(TMessageEntry& entry, TEmail& email, HWND mainWindow);

} // namespace zandrel
