#pragma once
// Loading a message's text into the rich-text controls that show it.
#include "catalog/core/message_text.h"

#include <windows.h>

#include <functional>
#include <string>

namespace zandrel {

// What a control shows for `entry` (TextToShow), bytes outside RTF read in
// the system's ANSI code page.
MessageText ShownTextOf(const TMessageEntry& entry);

// The first line of `text` (FirstLine, up to 60 characters) in the system's
// ANSI code page, as message boxes take it; a character the code page lacks
// shows as "?".
std::string AnsiFirstLine(const MessageText& text);

// Replaces the control's whole content with `text`. A message's own RTF is
// first announced to the watch, while one is installed.
void LoadMessageText(HWND control, const MessageText& text);

// While it lives, hears the Key of every message whose own RTF goes into a
// control (the start-up marks the note there), before the control reads it.
class MessageTextLoadWatch {
public:
    explicit MessageTextLoadWatch(std::function<void(const std::string& key)> loading);
    ~MessageTextLoadWatch();
    MessageTextLoadWatch(const MessageTextLoadWatch&) = delete;
    MessageTextLoadWatch& operator=(const MessageTextLoadWatch&) = delete;

private:
    std::function<void(const std::string& key)> loading_;
    MessageTextLoadWatch* outer_;

    friend void LoadMessageText(HWND control, const MessageText& text);
};

} // namespace zandrel
