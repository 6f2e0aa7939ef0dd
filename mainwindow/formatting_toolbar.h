#pragma once
// The formatting toolbar above the main window's text: it shows the format
// found at the selection of RichEditText whenever the selection moves, and
// its buttons, boxes and the colour dialog format the text. It keeps no
// state of its own beyond the guard that stops its controls feeding back.
#include "framework/core/modal_commands.h"
#include "framework/event.h"
#include "mainwindow/core/text_format.h"

#include <windows.h>

#include <richedit.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace zandrel {

class Form;

// Character attributes of a rich-text control: those of its selection, or
// its default format (the one new and unformatted text takes).
class TextAttributes {
public:
    enum class Scope { Selection, Default };

    TextAttributes(HWND richEdit, Scope scope) : richEdit_(richEdit), scope_(scope) {}

    Scope Target() const { return scope_; }
    CharacterFormat Format() const;
    COLORREF Color() const;

    // Each setter changes only its own attribute, character by character.
    void SetStyle(DWORD effect, bool on); // CFE_BOLD, CFE_ITALIC, CFE_UNDERLINE
    void SetSize(int points);
    void SetName(const std::string& name);
    void SetColor(COLORREF color);

private:
    // True only while RichEditTextSelectionChange writes into the toolbar.
    bool updatingToolbar_ = false;
    CHARFORMAT2A Get() const;
    void Set(CHARFORMAT2A& format) const;

    HWND richEdit_;
    Scope scope_;
};

// The system colour dialog, keeping its custom colours from one use to the
// next. Picker, when set, answers in its place (tests): it gets the owner and
// the preset colour and gives the chosen colour, or none for Cancel.
class TColorDialog {
public:
    COLORREF Color = 0; // preset before Execute; the choice after a confirmed one
    std::function<std::optional<COLORREF>(HWND owner, COLORREF preset)> Picker;

    // True when the user confirmed a colour.
    bool Execute(HWND owner);

private:
    std::array<COLORREF, 16> customColors_{};
};

class FormattingToolbar {
public:
    explicit FormattingToolbar(Form& form) : form_(form) {}
    FormattingToolbar(const FormattingToolbar&) = delete;
    FormattingToolbar& operator=(const FormattingToolbar&) = delete;

    // Hands every handler of the toolbar and of the selection event to the
    // form under the name its description binds, with what it does inside
    // another command's modal loop.
    void BindTo(const std::function<void(const std::string&, WhileModal, EventHandler)>& bind);

    TColorDialog ColorDialog1;

    void FillFontNames();
    TextAttributes CurrentTextAttributes() const;

    void RichEditTextSelectionChange(Event& event);
    void CopyButtonClick(Event& event);
    void PasteButtonClick(Event& event);
    void FontNameChange(Event& event);
    void FontSizeChange(Event& event);
    void ColorButtonClick(Event& event);
    void BoldButtonClick(Event& event);
    void ItalicButtonClick(Event& event);
    void UnderlineButtonClick(Event& event);
    void AlignButtonClick(Event& event);
    void BulletsButtonClick(Event& event);

private:
    HWND Text() const;
    PARAFORMAT2 Paragraph() const;
    void SetParagraph(PARAFORMAT2& format) const;
    void StyleButtonClick(const char* button, DWORD effect);

    Form& form_;
    // True only while RichEditTextSelectionChange writes into the toolbar.
    bool updatingToolbar_ = false;
};

} // namespace zandrel
