#include "mainwindow/formatting_toolbar.h"
#include "resources/form_main.h"

#include "framework/application.h"
#include "framework/core/callback_errors.h"
#include "framework/device_context.h"
#include "framework/form.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

namespace zandrel {
namespace {

WPARAM ScopeFlag(TextAttributes::Scope scope) {
    return scope == TextAttributes::Scope::Selection ? SCF_SELECTION : SCF_DEFAULT;
}

struct FontNames {
    std::vector<std::string> names;
    CallbackErrors errors;
};

int CALLBACK EnumFontNamesProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
    auto& found = *reinterpret_cast<FontNames*>(data);
    return found.errors.Run([&] {
        found.names.emplace_back(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE));
    });
}

// Set back to false whatever happens.
class UpdatingMark {
public:
    explicit UpdatingMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~UpdatingMark() { flag_ = false; }
    UpdatingMark(const UpdatingMark&) = delete;
    UpdatingMark& operator=(const UpdatingMark&) = delete;

private:
    bool& flag_;
};

} // namespace

CHARFORMAT2A TextAttributes::Get() const {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(richEdit_, EM_GETCHARFORMAT, ScopeFlag(scope_), reinterpret_cast<LPARAM>(&format));
    return format;
}

void TextAttributes::Set(CHARFORMAT2A& format) const {
    format.cbSize = sizeof format;
    SendMessageA(richEdit_, EM_SETCHARFORMAT, ScopeFlag(scope_), reinterpret_cast<LPARAM>(&format));
}

CharacterFormat TextAttributes::Format() const {
    const CHARFORMAT2A format = Get();
    CharacterFormat result;
    result.Bold = format.dwEffects & CFE_BOLD;
    result.Italic = format.dwEffects & CFE_ITALIC;
    result.Underline = format.dwEffects & CFE_UNDERLINE;
    result.SizeTwips = int(format.yHeight);
    result.FaceName.assign(format.szFaceName, strnlen(format.szFaceName, LF_FACESIZE));
    return result;
}

COLORREF TextAttributes::Color() const {
    const CHARFORMAT2A format = Get();
    return (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
}

void TextAttributes::SetStyle(DWORD effect, bool on) {
    CHARFORMAT2A format{};
    format.dwMask = effect; // CFM_BOLD == CFE_BOLD, and so on
    format.dwEffects = on ? effect : 0;
    Set(format);
}

void TextAttributes::SetSize(int points) {
    CHARFORMAT2A format{};
    format.dwMask = CFM_SIZE;
    format.yHeight = PointsToTwips(points);
    Set(format);
}

// Names longer than the control's face name field are cut, as the font
// enumeration cuts them.
void TextAttributes::SetName(const std::string& name) {
    CHARFORMAT2A format{};
    format.dwMask = CFM_FACE;
    lstrcpynA(format.szFaceName, name.c_str(), LF_FACESIZE);
    Set(format);
}

void TextAttributes::SetColor(COLORREF color) {
    CHARFORMAT2A format{};
    format.dwMask = CFM_COLOR;
    format.crTextColor = color;
    Set(format);
}

// Not answered by the user (Shutdown closed it) counts as Cancel.
bool TColorDialog::Execute(HWND owner) {
    std::optional<COLORREF> chosen;
    const bool answered = App().RunBox([&] {
        if (Picker) {
            chosen = Picker(owner, Color);
            return;
        }
        CHOOSECOLORA choice{};
        choice.lStructSize = sizeof choice;
        choice.hwndOwner = owner;
        choice.rgbResult = Color;
        choice.lpCustColors = customColors_.data();
        choice.Flags = CC_RGBINIT;
        if (ChooseColorA(&choice)) {
            chosen = choice.rgbResult;
        }
    });
    if (!answered || !chosen) {
        return false;
    }
    Color = *chosen;
    return true;
}

// They change only the editor's formatting; the colour dialog never opens a
// second time over itself.
void FormattingToolbar::BindTo(
    const std::function<void(const std::string&, WhileModal, EventHandler)>& bind) {
    const auto handler = [this](void (FormattingToolbar::*method)(Event&)) {
        return [this, method](Event& event) { (this->*method)(event); };
    };
    const auto runs = WhileModal::Runs;
    bind(form_main::on::RichEditTextSelectionChange, runs,
         handler(&FormattingToolbar::RichEditTextSelectionChange));
    bind(form_main::on::CopyButtonClick, runs, handler(&FormattingToolbar::CopyButtonClick));
    bind(form_main::on::PasteButtonClick, runs, handler(&FormattingToolbar::PasteButtonClick));
    bind(form_main::on::FontNameChange, runs, handler(&FormattingToolbar::FontNameChange));
    bind(form_main::on::FontSizeChange, runs, handler(&FormattingToolbar::FontSizeChange));
    bind(form_main::on::ColorButtonClick, WhileModal::RunsOnce,
         handler(&FormattingToolbar::ColorButtonClick));
    bind(form_main::on::BoldButtonClick, runs, handler(&FormattingToolbar::BoldButtonClick));
    bind(form_main::on::ItalicButtonClick, runs, handler(&FormattingToolbar::ItalicButtonClick));
    bind(form_main::on::UnderlineButtonClick, runs,
         handler(&FormattingToolbar::UnderlineButtonClick));
    bind(form_main::on::AlignButtonClick, runs, handler(&FormattingToolbar::AlignButtonClick));
    bind(form_main::on::BulletsButtonClick, runs, handler(&FormattingToolbar::BulletsButtonClick));
}

HWND FormattingToolbar::Text() const {
    return form_.Find(form_main::RichEditText).Handle();
}

PARAFORMAT2 FormattingToolbar::Paragraph() const {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageA(Text(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format;
}

void FormattingToolbar::SetParagraph(PARAFORMAT2& format) const {
    format.cbSize = sizeof format;
    SendMessageA(Text(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

// Typefaces as the screen reports them, in the order of a sorted list.
void FormattingToolbar::FillFontNames() {
    FontNames found;
    {
        const WindowDc screen(nullptr);
        EnumFontsA(screen.Get(), nullptr, EnumFontNamesProc, reinterpret_cast<LPARAM>(&found));
    }
    found.errors.Rethrow();
    const HWND box = form_.Find(form_main::FontName).Handle();
    for (const std::string& name : SortedFontNames(std::move(found.names))) {
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

TextAttributes FormattingToolbar::CurrentTextAttributes() const {
    CHARRANGE selection{};
    SendMessageA(Text(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return TextAttributes(Text(), selection.cpMax != selection.cpMin
                                      ? TextAttributes::Scope::Selection
                                      : TextAttributes::Scope::Default);
}

// Always the selection's attributes here, even for an empty selection: the
// toolbar shows what typing at the caret would give.
void FormattingToolbar::RichEditTextSelectionChange(Event&) {
    const UpdatingMark updating(updatingToolbar_);
    const PARAFORMAT2 paragraph = Paragraph();
    const ToolbarState state =
        ToolbarStateFor(TextAttributes(Text(), TextAttributes::Scope::Selection).Format(),
                        {AlignmentFromParagraph(paragraph.wAlignment),
                         paragraph.wNumbering == PFN_BULLET, int(paragraph.dxOffset)});
    form_.FindToolButton(form_main::BoldButton).SetDown(state.Bold);
    form_.FindToolButton(form_main::ItalicButton).SetDown(state.Italic);
    form_.FindToolButton(form_main::UnderlineButton).SetDown(state.Underline);
    form_.FindToolButton(form_main::BulletsButton).SetDown(state.Bullets);
    form_.Find(form_main::FontSize).SetText(state.FontSize);
    form_.Find(form_main::FontName).SetText(state.FontName);
    if (state.Alignment) {
        for (const char* button :
             {form_main::LeftAlign, form_main::CenterAlign, form_main::RightAlign}) {
            ToolBarButton& align = form_.FindToolButton(button);
            if (AlignmentFromTag(align.Tag()) == state.Alignment) {
                align.SetDown(true);
            }
        }
    }
}

void FormattingToolbar::CopyButtonClick(Event&) {
    SendMessageA(Text(), WM_COPY, 0, 0);
}

void FormattingToolbar::PasteButtonClick(Event&) {
    SendMessageA(Text(), WM_PASTE, 0, 0);
}

// The list item at the box's selection, never the text typed into it.
void FormattingToolbar::FontNameChange(Event&) {
    if (updatingToolbar_) {
        return;
    }
    const HWND box = form_.Find(form_main::FontName).Handle();
    const auto index = int(SendMessageA(box, CB_GETCURSEL, 0, 0));
    std::vector<std::string> items;
    const auto count = int(SendMessageA(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string item(std::size_t(SendMessageA(box, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        item.resize(
            std::size_t(SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(std::move(item));
    }
    CurrentTextAttributes().SetName(FontNameAt(items, index));
}

void FormattingToolbar::FontSizeChange(Event&) {
    if (updatingToolbar_) {
        return;
    }
    const int points = ParseFontSize(form_.Find(form_main::FontSize).Text());
    CurrentTextAttributes().SetSize(points);
}

// The selection's colour, also for an empty selection.
void FormattingToolbar::ColorButtonClick(Event&) {
    if (updatingToolbar_) {
        return;
    }
    ColorDialog1.Color = TextAttributes(Text(), TextAttributes::Scope::Selection).Color();
    if (ColorDialog1.Execute(App().ModalOwner())) {
        TextAttributes(Text(), TextAttributes::Scope::Selection).SetColor(ColorDialog1.Color);
    }
}

void FormattingToolbar::StyleButtonClick(const char* button, DWORD effect) {
    if (updatingToolbar_) {
        return;
    }
    CurrentTextAttributes().SetStyle(effect, form_.FindToolButton(button).Down());
}

void FormattingToolbar::BoldButtonClick(Event&) {
    StyleButtonClick(form_main::BoldButton, CFE_BOLD);
}

void FormattingToolbar::ItalicButtonClick(Event&) {
    StyleButtonClick(form_main::ItalicButton, CFE_ITALIC);
}

void FormattingToolbar::UnderlineButtonClick(Event&) {
    StyleButtonClick(form_main::UnderlineButton, CFE_UNDERLINE);
}

void FormattingToolbar::AlignButtonClick(Event& event) {
    if (updatingToolbar_ || !event.Button) {
        return;
    }
    const std::optional<TextAlignment> alignment = AlignmentFromTag(event.Button->Tag());
    if (!alignment) {
        return;
    }
    PARAFORMAT2 format{};
    format.dwMask = PFM_ALIGNMENT;
    format.wAlignment = WORD(ParagraphAlignmentFor(*alignment));
    SetParagraph(format);
}

void FormattingToolbar::BulletsButtonClick(Event&) {
    if (updatingToolbar_) {
        return;
    }
    const bool bullets = form_.FindToolButton(form_main::BulletsButton).Down();
    PARAFORMAT2 format{};
    format.dwMask = PFM_NUMBERING | PFM_OFFSET;
    format.wNumbering = bullets ? PFN_BULLET : 0;
    format.dxOffset = LeftIndentForBullets(bullets, int(Paragraph().dxOffset));
    SetParagraph(format);
}

} // namespace zandrel
