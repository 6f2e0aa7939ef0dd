#pragma once
// A sticker's right-click menu: "Remind me in 10 minutes", "Remind me in 1
// hour", "Remind me tomorrow" and "Done", enabled only on a red sticker, then
// "Edit" (as a double-click).
#include "stickers/unit_memo.h"

namespace zandrel {

// Opens the menu at a screen point ((-1, -1): the keyboard's menu key, at
// the sticker) and does what is chosen. A "Remind me" moves the message's
// alarm moment, saves the list and posts kSnoozedMessage to the main window;
// so does "Done" on a message that repeats, which moves it to its next
// occurrence, while on one that does not it hands the message to the host's
// DeleteAsked. Inside another command's modal loop they are refused with the
// default beep.
void ShowStickerMenu(TFormMemo& sticker, const StickerHost& host, POINT at);

} // namespace zandrel
