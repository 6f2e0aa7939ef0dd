#pragma once
// The program's own window messages, posted and sent inside the process.
// Messages between processes are registered by name where they are used:
// "TaskbarCreated" (the shell's) and the second start's request.
#include <windows.h>

namespace zandrel {

// A form runs the actions it deferred until no modal loop runs.
inline constexpr UINT kRunDeferredMessage = WM_APP + 1;
// A sticker's "Remind me" saved its message: the main window builds the
// stickers again (the sticker is still running its code when it is chosen).
inline constexpr UINT kSnoozedMessage = WM_APP + 2;
// A warning pop-up closed: its object is freed once its code has run.
inline constexpr UINT kFreeClosedPopupsMessage = WM_APP + 3;
// The note store has something to show (a merged list, a failure to report):
// shown once the command or tick that used the store is over.
inline constexpr UINT kNotesStoredMessage = WM_APP + 4;
// The preview's paging keys, forwarded from its page control to the form.
inline constexpr UINT kPagingKeyMessage = WM_APP + 5;
// A sticker's "Done" on a message that does not repeat: the main window asks
// whether to delete it.
inline constexpr UINT kDoneAskedMessage = WM_APP + 6;

} // namespace zandrel
