#include "framework/controls/controls.h"

#include <map>
#include <stdexcept>

namespace zandrel {
namespace {

template <typename Kind>
std::unique_ptr<Control> Make(const ComponentDescription& description, HWND parent, int id) {
    return std::make_unique<Kind>(description, parent, id);
}

const std::map<ComponentKind, ControlFactory>& KindFactories() {
    static const std::map<ComponentKind, ControlFactory> factories{
        {ComponentKind::Panel, Make<Panel>},
        {ComponentKind::GroupBox, Make<GroupBox>},
        {ComponentKind::Label, Make<Label>},
        {ComponentKind::Button, Make<Button>},
        {ComponentKind::CheckBox, Make<CheckBox>},
        {ComponentKind::RadioGroup, Make<RadioGroup>},
        {ComponentKind::Edit, Make<Edit>},
        {ComponentKind::ListBox, Make<ListBox>},
        {ComponentKind::ComboBox, Make<ComboBox>},
        {ComponentKind::DropDownList, Make<DropDownList>},
        {ComponentKind::DatePicker, Make<DateTimePicker>},
        {ComponentKind::TimePicker, Make<DateTimePicker>},
        {ComponentKind::UpDown, Make<UpDown>},
        {ComponentKind::ToolBar, Make<ToolBar>},
        {ComponentKind::RichEdit, Make<RichEdit>},
        {ComponentKind::StatusBar, Make<StatusBar>},
        {ComponentKind::Memo, Make<Memo>},
        {ComponentKind::Custom, CreateCustomControl},
    };
    return factories;
}

} // namespace

std::unique_ptr<Control> CreateControl(const ComponentDescription& description, HWND parent,
                                       int id) {
    const auto found = KindFactories().find(description.Kind);
    if (found == KindFactories().end()) {
        throw std::logic_error("Unknown component kind of " + description.Name);
    }
    return found->second(description, parent, id);
}

} // namespace zandrel
