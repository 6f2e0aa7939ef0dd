#include "mainwindow/find_box.h"

#include "framework/application.h"
#include "mainwindow/core/message_search.h"
#include "mainwindow/main.h"
#include "resources/form_find.h"
#include "resources/form_main.h"

#include <richedit.h>

namespace zandrel {
namespace {

std::u16string ToUtf16(const std::wstring& text) {
    return {text.begin(), text.end()};
}

// The editor's text as its character positions count it: one unit per
// UTF-16 unit, a paragraph's end one '\r'.
std::u16string EditorText(HWND editor) {
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, 1200};
    const auto count =
        std::size_t(SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    std::wstring text(count + 1, L'\0');
    GETTEXTEX query{DWORD(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    text.resize(std::size_t(SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                         reinterpret_cast<LPARAM>(text.data()))));
    return ToUtf16(text);
}

// Shown also while the Find box has the focus.
void SelectInEditor(HWND editor, std::u16string_view needle) {
    const auto match = FindInText(EditorText(editor), needle);
    if (!match) {
        return;
    }
    CHARRANGE range{LONG(match->Position), LONG(match->Position + match->Length)};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(editor, EM_HIDESELECTION, FALSE, 0);
    SendMessageW(editor, EM_SCROLLCARET, 0, 0);
}

} // namespace

TFormFind::TFormFind(const std::wstring& text, std::function<void(const std::wstring&)> findNext)
    : Form(FormFindDescription()), findNext_(std::move(findNext)) {
    Bind(form_find::on::btnFindNextClick, WhileModal::Runs, &TFormFind::btnFindNextClick);
    Bind(form_find::on::btnCloseClick, WhileModal::Runs, &TFormFind::btnCloseClick);
    Create(false);
    Find(form_find::EditFind).SetWideText(text);
    SendMessageA(Find(form_find::btnFindNext).Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

std::wstring TFormFind::Text() const {
    return Find(form_find::EditFind).WideText();
}

// Showing a message brings its sticker to the top, and the activation with
// it: the box takes it back.
void TFormFind::btnFindNextClick(Event&) {
    findNext_(Text());
    SetForegroundWindow(Handle());
}

void TFormFind::btnCloseClick(Event&) {
    Close();
}

// Enter presses the default button, "Find next". The focus the box gets as
// it is activated goes on to the text, all of it selected.
LRESULT TFormFind::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == DM_GETDEFID) {
        return MAKELRESULT(GetDlgCtrlID(Find(form_find::btnFindNext).Handle()), DC_HASDEFID);
    }
    if (message == WM_SETFOCUS) {
        const HWND edit = Find(form_find::EditFind).Handle();
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

// The editor has the focus afterwards: a rich-edit control shows its
// selection only while it has it.
void MessageFinder::ShowBox() {
    {
        TFormFind box(lastText_, [this](const std::wstring& text) { FindNext(text); });
        box.ShowModal();
    }
    SetFocus(form_.Find(form_main::RichEditText).Handle());
}

void MessageFinder::FindAgain() {
    if (lastText_.empty()) {
        ShowBox();
        return;
    }
    FindNext(lastText_);
    SetFocus(form_.Find(form_main::RichEditText).Handle());
}

void MessageFinder::FindNext(const std::wstring& text) {
    if (text.empty()) {
        return;
    }
    lastText_ = text;
    MessageList& list = form_.Messages();
    if (const auto index = FindNextMessage(list, ToUtf16(text))) {
        list.CurrentIndex = int(*index);
        form_.ShowCurrentMessage();
        SelectInEditor(form_.Find(form_main::RichEditText).Handle(), ToUtf16(text));
        return;
    }
    form_.Find<StatusBar>(form_main::StatusBar1).SetPanelText(2, L"Not found: " + text);
    App().Env().Beep(MB_OK);
}

} // namespace zandrel
