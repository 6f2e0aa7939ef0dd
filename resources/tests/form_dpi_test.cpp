// Every form of the program laid out for 120, 144 and 192 DPI as a move onto
// such a monitor lays it out (WM_DPICHANGED): each caption fits its control
// in the control's font, and controls that lie apart at 96 DPI stay apart.
#include "framework/controls/pictures.h"
#include "framework/device_context.h"
#include "framework/form.h"
#include "framework/report/report_preview.h"
#include "framework/tests/fake_environment.h"
#include "resources/form_about.h"
#include "resources/form_blue.h"
#include "resources/form_find.h"
#include "resources/form_main.h"
#include "resources/form_memo.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace zandrel::testing {
namespace {

// A form of any description, every handler it names bound to nothing.
class AnyForm : public Form {
public:
    explicit AnyForm(const FormDescription& design) : Form(design) {
        auto bind = [this](const std::string& name) {
            if (!name.empty()) {
                Bind(name, WhileModal::Runs, [](Event&) {});
            }
        };
        std::function<void(const std::vector<MenuItemDescription>&)> bindItems =
            [&](const std::vector<MenuItemDescription>& items) {
                for (const MenuItemDescription& item : items) {
                    bind(item.OnClick);
                    bindItems(item.Items);
                }
            };
        for (const std::string* name :
             {&design.OnCreate, &design.OnClose, &design.OnActivate, &design.OnDeactivate}) {
            bind(*name);
        }
        for (const ComponentDescription& component : design.Components) {
            for (const std::string* name : {&component.OnClick, &component.OnChange,
                                            &component.OnDblClick, &component.OnMouseMove}) {
                bind(*name);
            }
            for (const ToolButtonDescription& button : component.Buttons) {
                bind(button.OnClick);
            }
        }
        for (const MenuDescription& menu : design.Menus) {
            bindItems(menu.Items);
        }
        for (const TimerDescription& timer : design.Timers) {
            bind(timer.OnTimer);
        }
        for (const ShortcutDescription& shortcut : design.Shortcuts) {
            bind(shortcut.OnKey);
        }
        Create(false);
    }
};

// The form as a move onto a monitor of `dpi` leaves it.
std::unique_ptr<AnyForm> LaidOutAt(const FormDescription& design, int dpi) {
    auto form = std::make_unique<AnyForm>(design);
    if (dpi != form->Scaling().Dpi()) {
        const RECT now = form->ScreenRect();
        const RECT suggested{now.left, now.top, now.left + DpiScale(dpi).Scale(design.Width),
                             now.top + DpiScale(dpi).Scale(design.Height)};
        SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    }
    return form;
}

std::map<std::string, RECT> Places(const AnyForm& form) {
    std::map<std::string, RECT> places;
    for (const ComponentDescription& component : form.Description().Components) {
        const Bounds place = form.Find(component.Name).Place();
        places[component.Name] = {place.Left, place.Top, place.Left + place.Width,
                                  place.Top + place.Height};
    }
    return places;
}

// The caption in the control's font, with what the control draws beside it
// (a box or a circle, a button's bevel, a group box's indent), against its
// client area.
void ExpectCaptionFits(HWND window, ComponentKind kind, DpiScale scale, const std::string& where) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), int(text.size())));
    const WindowDc dc(window);
    const Selection font(dc.Get(), HGDIOBJ(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE need{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), int(text.size()), &need);
    if (kind == ComponentKind::Button) {
        need.cx += scale.Scale(6);
        need.cy += scale.Scale(4);
    } else if (kind == ComponentKind::CheckBox) {
        need.cx +=
            MulDiv(GetSystemMetrics(SM_CXMENUCHECK), scale.Dpi(), SystemDpi()) + scale.Scale(4);
    } else if (kind == ComponentKind::GroupBox) {
        need.cx += scale.Scale(8 + 2);
    }
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_LE(need.cx, client.right) << where << " \"" << text << "\"";
    EXPECT_LE(need.cy, client.bottom) << where << " \"" << text << "\"";
}

class FormDpiTest : public ::testing::TestWithParam<int> {};

TEST_P(FormDpiTest, CaptionsFitAndNoControlsOverlapAnew) {
    TestEnvironment().Reset();
    RegisterPictureControls();
    const DpiScale scale(GetParam());
    for (const FormDescription* design :
         {&FormMainDescription(), &FormMemoDescription(), &FormBlueDescription(),
          &FormAboutDescription(), &FormAbout2Description(), &ReportPreviewDescription(),
          &FormFindDescription()}) {
        const std::string name = design->ClassName + " at " + std::to_string(scale.Dpi());
        const std::map<std::string, RECT> designed = Places(*LaidOutAt(*design, kDesignDpi));
        const auto form = LaidOutAt(*design, scale.Dpi());
        ASSERT_EQ(form->Scaling(), scale) << name;
        const std::map<std::string, RECT> places = Places(*form);
        for (const ComponentDescription& component : design->Components) {
            const HWND window = form->Find(component.Name).Handle();
            const std::string where = name + ": " + component.Name;
            switch (component.Kind) {
            case ComponentKind::RadioGroup:
                for (HWND button = GetWindow(window, GW_CHILD); button;
                     button = GetWindow(button, GW_HWNDNEXT)) {
                    ExpectCaptionFits(button, ComponentKind::CheckBox, scale, where);
                }
                ExpectCaptionFits(window, ComponentKind::GroupBox, scale, where);
                break;
            case ComponentKind::Label:
            case ComponentKind::Button:
            case ComponentKind::CheckBox:
            case ComponentKind::GroupBox:
                ExpectCaptionFits(window, component.Kind, scale, where);
                break;
            case ComponentKind::Custom:
                if (component.ControlClass == kBitBtnClass) {
                    ExpectCaptionFits(window, ComponentKind::Label, scale, where);
                }
                break;
            default:
                break;
            }
            for (const ComponentDescription& other : design->Components) {
                RECT common{};
                if (component.Name < other.Name && component.Parent == other.Parent &&
                    !IntersectRect(&common, &designed.at(component.Name),
                                   &designed.at(other.Name))) {
                    EXPECT_FALSE(
                        IntersectRect(&common, &places.at(component.Name), &places.at(other.Name)))
                        << where << " and " << other.Name;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, FormDpiTest, ::testing::Values(96, 120, 144, 192));

} // namespace
} // namespace zandrel::testing
