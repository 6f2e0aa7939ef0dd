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

// Replaces the control's whole content with `text`. While a watch is
// installed, a message's own RTF is announced to it before the control reads
// it, and again once it is in.
void LoadMessageText(HWND control, const MessageText& text);

// While it lives, hears the Key of every message whose own RTF goes into a
// control, before the control reads it, and hears when it is in (the
// start-up marks the note meanwhile).
class MessageTextLoadWatch {
public:
    MessageTextLoadWatch(std::function<void(const std::string& key)> loading,
                         std::function<void()> loaded = {});
    ~MessageTextLoadWatch();
    MessageTextLoadWatch(const MessageTextLoadWatch&) = delete;
    MessageTextLoadWatch& operator=(const MessageTextLoadWatch&) = delete;

private:
    std::function<void(const std::string& key)> loading_;
    std::function<void()> loaded_;
    MessageTextLoadWatch* outer_;

    friend void LoadMessageText(HWND control, const MessageText& text);
};

} // namespace zandrel
