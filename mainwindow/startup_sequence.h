#pragma once
// The main window's start-up, as its create handler runs it: the
// preferences, the icons, the tray icon, the message list with its data
// files, the stickers (with the pictures they need) and the editor, in that
// order.
#include "mainwindow/core/text_load_guard.h"

#include <optional>
#include <string>

namespace zandrel {

class MessageList;
class TFormMain;

class StartupSequence {
public:
    // Each step runs on when an earlier one failed: a damaged data file is
    // reported, and the user still gets the tray icon, the stickers and the
    // rest.
    void Run(TFormMain& window);

    // Whether the start-up has come as far as the stickers' second build;
    // until then the stickers are not built on request.
    bool Done() const { return done_; }

    // The note with this key was replaced: it shows as rich text again.
    void NoteReplaced(const std::string& key);

private:
    // The notes whose text ended an earlier start show as plain text.
    void ApplyTextLoadGuard(MessageList& list) const;
    // Once, after the start-up: the note whose text ended the last start.
    void ReportInterruptedNote(const MessageList& list) const;

    // Which notes show as plain text, and the mark of the note whose text
    // goes into a control during the start-up; beside the data files.
    std::optional<TextLoadGuard> textLoadGuard_;
    bool done_ = false;
};

} // namespace zandrel
