#pragma once
// Which bound handlers run while another command waits in a modal loop (a
// box, a dialog, a modal window): every binding declares it.

namespace zandrel {

enum class WhileModal {
    // Holds nothing that a suspended handler holds: runs.
    Runs,
    // Would change or free what a suspended handler holds (the message list,
    // the stickers) or open a window of its own over it: refused with the
    // default beep, and the open modal window comes to the front.
    Refused,
    // Runs, but never a second time while it is still open: its window
    // comes to the front instead.
    RunsOnce,
};

enum class CommandAdmission { Run, Refuse, BringOpenWindowUp };

// inModalLoop: some loop runs now; alreadyRunning: this handler is one of
// the handlers suspended under a loop.
CommandAdmission AdmitCommand(WhileModal rule, bool inModalLoop, bool alreadyRunning);

} // namespace zandrel
