#include "resources/form_find.h"

namespace zandrel {
namespace {

FormDescription Design() {
    FormDescription form;
    form.ClassName = "Zandrel.TFormFind";
    form.Caption = "Find";
    form.Width = 320;
    form.Height = 108;
    form.Icons = {true, false, false}; // a close box only
    form.Centered = true;
    form.CloseOnEscape = true;
    using K = ComponentKind;
    form.Components = {
        Component(form_find::EditFind, K::Edit, {8, 12, 200, 21}),
        Component(form_find::btnFindNext, K::Button, {216, 10, 80, 24})
            .Titled("Find next")
            .Click(form_find::on::btnFindNextClick),
        Component(form_find::btnClose, K::Button, {216, 40, 80, 24})
            .Titled("Close")
            .Click(form_find::on::btnCloseClick),
    };
    return form;
}

} // namespace

const FormDescription& FormFindDescription() {
    static const FormDescription description = Design();
    return description;
}

} // namespace zandrel
