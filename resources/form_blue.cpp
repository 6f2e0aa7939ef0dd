#include "resources/form_blue.h"

namespace zandrel {
namespace {

FormDescription Design() {
    FormDescription form;
    form.ClassName = "Zandrel.TFormBlue";
    form.Caption = "FormBlue";
    form.Width = 289;
    form.Height = 180;
    form.FontName = "MS Sans Serif";
    form.FontHeight = -11;
    form.OnCreate = "FormCreate";
    form.OnClose = "FormClose";
    form.StayOnTop = true;
    form.Icons = {true, false, false}; // a close box only

    using K = ComponentKind;
    form.Components = {
        Component("Panel1", K::Panel, {0, 0, 281, 25}).Dock(Align::Top),
        Component("lblTime", K::Label, {12, 8, 260, 14}).In("Panel1"),
        Component("RichEdit1", K::RichEdit, {0, 25, 281, 128}).Dock(Align::Client),
    };
    return form;
}

} // namespace

const FormDescription& FormBlueDescription() {
    static const FormDescription description = Design();
    return description;
}

} // namespace zandrel
