#include "resources/form_memo.h"

namespace zandrel {
namespace {

// The text control is created by the sticker itself (it is borderless and
// takes the sticker's colour), so the table holds only the window.
FormDescription Design() {
    FormDescription form;
    form.ClassName = "Zandrel.TFormMemo";
    form.Caption = "FormMemo";
    form.Width = 210;
    form.Height = 69;
    form.FontName = "Courier New";
    form.FontHeight = -11;
    form.OnCreate = form_memo::on::FormCreate;
    form.OnClose = form_memo::on::FormClose;
    form.Icons = {true, false, false}; // a close box only; the region hides the frame
    return form;
}

} // namespace

const FormDescription& FormMemoDescription() {
    static const FormDescription description = Design();
    return description;
}

const MenuDescription& StickerMenuDescription() {
    static const MenuDescription menu{
        form_memo::PopupMenu1,
        true,
        {Item(form_memo::Remind10Minutes, "Remind me in 10 minutes",
              form_memo::on::Remind10MinutesClick),
         Item(form_memo::Remind1Hour, "Remind me in 1 hour", form_memo::on::Remind1HourClick),
         Item(form_memo::RemindTomorrow, "Remind me tomorrow", form_memo::on::RemindTomorrowClick),
         Item(form_memo::Done1, "Done", form_memo::on::Done1Click), Separator(form_memo::N1),
         Item(form_memo::Edit1, "Edit", form_memo::on::Edit1Click)}};
    return menu;
}

} // namespace zandrel
