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

} // namespace zandrel
