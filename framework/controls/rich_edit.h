#pragma once
// Rich-edit controls: their length limit, and streaming a message's
// formatted text into and out of them.
#include <windows.h>

#include <string>
#include <string_view>

namespace zandrel {

// Lets the control take a text of any length; by default it stops at 32,767
// characters.
void LiftTextLimit(HWND richEdit);

// Leaves Esc to the control's form, as every other control does: by itself a
// rich edit under the dialog keys answers Esc by closing its parent window.
void LeaveEscapeToForm(HWND richEdit);

// Gives the control storage for the embedded objects of the texts it loads
// (an OLE callback), so that it keeps those it can and writes them back.
void KeepEmbeddedObjects(HWND richEdit);

// Replaces the control's whole content with `text`: as RTF when it is RTF,
// otherwise as plain text (the fallback text of old records is not RTF).
void LoadRichText(HWND richEdit, std::string_view text);

// The control's content as RTF, exactly as the control writes it.
std::string SaveRichText(HWND richEdit);

// The control's content as plain text (lines end in "\r\n").
std::string PlainText(HWND richEdit);

} // namespace zandrel
