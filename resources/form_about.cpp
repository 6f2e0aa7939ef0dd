#include "resources/form_about.h"

#include "framework/controls/pictures.h"
#include "resources/resource_names.h"

namespace zandrel {
namespace {

constexpr Color clBlack = 0x000000;
constexpr Color clMaroon = 0x000080; // RGB(128, 0, 0)
constexpr Color clAqua = 0xFFFF00;   // RGB(0, 255, 255)
constexpr Color clActiveBorder = kSystemColor | 10;

// What Zandrel is and does; it scrolls through the About window.
std::vector<std::string> AboutText() {
    return {
        "Zandrel rev  3.3",
        "-------------------------------------------",
        "Keep a note about your appointement",
        "Last update: 19990116",
        "-------------------------------------------",
        "",
        "Zandrel keeps your short notes",
        "and brings each one to your desktop",
        "on the day you asked for it.",
        "",
        "Every note becomes a yellow sticker",
        "at the right edge of the screen",
        "once its start moment has passed,",
        "and the sticker turns red",
        "when its alarm moment comes.",
        "",
        "Drag a sticker where you like it,",
        "roll it up and down with its pin,",
        "or double-click it to edit the note.",
        "",
        "A note can also warn you",
        "every hour, every day or every week",
        "with a sound and a blue pop-up,",
        "and it can send one e-mail",
        "to the addresses you give it.",
        "",
        "The catalog prints all your notes",
        "on A4 pages, one after another.",
        "",
        "Zandrel lives in the tray:",
        "a double-click on its icon",
        "opens the list of notes,",
        "the right button opens its menu.",
        "Close only hides the window;",
        "Shutdown ends the program.",
        "",
        "Your notes stay in two files",
        "beside the program,",
        "ZandrelData.dat and",
        "ZandrelData_Memo.dat;",
        "zandrel-data checks, backs up",
        "and exports them for you.",
        "",
        "Zandrel starts with Windows",
        "through a shortcut in your",
        "Startup folder, unless",
        "you switch that off.",
        "",
        "Double-click this text",
        "to read it all at once.",
        "Double-click the globe",
        "to visit our home page,",
        "the envelope to write to us.",
        "",
        "Thank you for using Zandrel!",
        "",
        "Keltrune",
        "",
        "-------------------------------------------",
    };
}

FormDescription AboutDesign() {
    FormDescription form;
    form.ClassName = "Zandrel.TFormAbout";
    form.Caption = "FormAbout";
    form.Width = 640;
    form.Height = 480;
    form.Background = clBlack;
    form.Icons = {true, true, false}; // system menu and minimise
    form.StayOnTop = true;
    form.Centered = true;
    form.CloseOnEscape = true;
    form.OnCreate = form_about::on::FormCreate;
    form.OnClose = form_about::on::FormClose;

    using K = ComponentKind;
    using namespace res;
    form.Components = {
        CustomComponent(form_about::Image1, kImageClass, {196, 36, 270, 120})
            .WithImages(kBitmapAboutTitle),
        CustomComponent(form_about::BtnContinue, kBitBtnClass, {280, 342, 85, 45})
            .Titled("Continue")
            .InFont({"MS Serif", -13, true, false, true})
            .FontColored(clMaroon)
            .WithImages(kBitmapContinueGlyph)
            .WithScreenCursor(52)
            .Click(form_about::on::BtnContinueClick),
        Component(form_about::Memo1, K::Memo, {78, 258, 221, 70})
            .Colored(clBlack)
            .FontColored(clAqua)
            .Listing(AboutText()),
        Component(form_about::Panel1, K::Panel, {70, 150, 469, 99}).Colored(clBlack),
        CustomComponent(form_about::Image2, kImageClass, {0, 0, 469, 99})
            .In(form_about::Panel1)
            .Dock(Align::Client)
            .WithImages(kBitmapAboutWeb)
            .WithScreenCursor(51)
            .Hinted("Visit the Zandrel home page")
            .DblClick(form_about::on::Image2DblClick),
        Component(form_about::Panel2, K::Panel, {310, 244, 249, 91}).Colored(clBlack),
        CustomComponent(form_about::Image3, kImageClass, {0, 0, 249, 91})
            .In(form_about::Panel2)
            .Dock(Align::Client)
            .WithImages(kBitmapAboutMail)
            .WithScreenCursor(50)
            .Hinted("Send me a mail")
            .DblClick(form_about::on::Image3DblClick),
    };
    return form;
}

FormDescription About2Design() {
    FormDescription form;
    form.ClassName = "Zandrel.TFormAbout2";
    form.Caption = "About this program";
    form.Width = 640;
    form.Height = 480;
    form.StayOnTop = true;
    form.Centered = true;
    form.CloseOnEscape = true;
    form.OnCreate = form_about2::on::FormCreate;

    using K = ComponentKind;
    using namespace res;
    form.Components = {
        Component(form_about2::Panel3, K::Panel, {497, 0, 135, 453}).Dock(Align::Right),
        CustomComponent(form_about2::BitBtn1, kBitBtnClass, {40, 28, 75, 25})
            .In(form_about2::Panel3)
            .Titled("&Close")
            .WithImages(kBitmapCloseGlyph)
            .Click(form_about2::on::BitBtn1Click),
        Component(form_about2::Panel1, K::Panel, {0, 0, 497, 453}).Dock(Align::Client),
        Component(form_about2::RichEdit1, K::RichEdit, {3, 3, 491, 447})
            .In(form_about2::Panel1)
            .Dock(Align::Client)
            .Colored(clActiveBorder)
            .InFont({"MS Sans Serif", -11, true}),
    };
    return form;
}

} // namespace

const FormDescription& FormAboutDescription() {
    static const FormDescription description = AboutDesign();
    return description;
}

const FormDescription& FormAbout2Description() {
    static const FormDescription description = About2Design();
    return description;
}

} // namespace zandrel
