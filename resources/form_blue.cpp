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
    form.OnCreate = form_blue::on::FormCreate;
    form.OnClose = form_blue::on::FormClose;
    form.StayOnTop = true;
    form.Icons = {true, false, false}; // a close box only

    using K = ComponentKind;
    form.Components = {
        Component(form_blue::Panel1, K::Panel, {0, 0, 281, 25}).Dock(Align::Top),
        Component(form_blue::lblTime, K::Label, {12, 8, 260, 14}).In(form_blue::Panel1),
        Component(form_blue::RichEdit1, K::RichEdit, {0, 25, 281, 128}).Dock(Align::Client),
    };
    return form;
}

} // namespace

const FormDescription& FormBlueDescription() {
    static const FormDescription description = Design();
    return description;
}

} // namespace zandrel
