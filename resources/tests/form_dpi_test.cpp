// Every form of the program laid out for 120, 144 and 192 DPI as a move onto
// such a monitor lays it out (WM_DPICHANGED): each caption fits its control
// in the control's font, and controls that lie apart at 96 DPI stay apart.
#include "framework/application.h"
#include "framework/controls/pictures.h"
#include "framework/device_context.h"
#include "framework/dpi.h"
#include "framework/form.h"
#include "framework/report/report_preview.h"
#include "framework/tests/fake_environment.h"
#include "resources/form_about.h"
#include "resources/form_blue.h"
#include "resources/form_main.h"
#include "resources/form_memo.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace zandrel::testing {
namespace {

void AddHandlers(const std::vector<MenuItemDescription>& items, std::vector<std::string>& names) {
    for (const MenuItemDescription& item : items) {
        names.push_back(item.OnClick);
        AddHandlers(item.Items, names);
    }
}

// A form of any description, every handler it names bound to nothing.
class AnyForm : public Form {
public:
    explicit AnyForm(const FormDescription& description) : Form(description) {
        std::vector<std::string> names = {description.OnCreate, description.OnClose,
                                          description.OnActivate, description.OnDeactivate};
        for (const ComponentDescription& component : description.Components) {
            names.insert(names.end(), {component.OnClick, component.OnChange, component.OnDblClick,
                                       component.OnMouseMove});
            for (const ToolButtonDescription& button : component.Buttons) {
                names.push_back(button.OnClick);
            }
        }
        for (const MenuDescription& menu : description.Menus) {
            AddHandlers(menu.Items, names);
        }
        for (const TimerDescription& timer : description.Timers) {
            names.push_back(timer.OnTimer);
        }
        for (const std::string& name : names) {
            if (!name.empty()) {
                Bind(name, [](Event&) {});
            }
        }
        Create(false);
    }
};

struct Laid {
    std::string Parent;
    RECT Rect{}; // in the parent's client area
};

std::string TextOf(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), int(text.size())));
    return text;
}

SIZE Extent(HWND window, const std::string& text) {
    const WindowDc dc(window);
    const Selection font(dc.Get(), HGDIOBJ(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), int(text.size()), &size);
    return size;
}

RECT Client(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

// The caption's text plus what the control draws beside it, against its
// client area: a check box's box, a radio button's circle, a button's bevel,
// a group box's indent.
void ExpectCaptionFits(HWND window, ComponentKind kind, DpiScale scale, const std::string& where) {
    const std::string text = TextOf(window);
    if (text.empty()) {
        return;
    }
    const SIZE need = Extent(window, text);
    const int box = MulDiv(GetSystemMetrics(SM_CXMENUCHECK), scale.Dpi(), SystemDpi());
    int width = need.cx;
    int height = need.cy;
    switch (kind) {
    case ComponentKind::Button:
        width += scale.Scale(6);
        height += scale.Scale(4);
        break;
    case ComponentKind::CheckBox:
        width += box + scale.Scale(4);
        break;
    case ComponentKind::GroupBox:
    case ComponentKind::RadioGroup:
        width += scale.Scale(8 + 2);
        break;
    default:
        break;
    }
    const RECT client = Client(window);
    EXPECT_LE(width, client.right) << where << " \"" << text << "\"";
    EXPECT_LE(height, client.bottom) << where << " \"" << text << "\"";
}

class FormDpiTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        TestEnvironment().Reset();
        RegisterPictureControls();
    }

    // The form at `dpi`, as a move onto a monitor of that DPI leaves it.
    static std::unique_ptr<AnyForm> LaidOutAt(const FormDescription& description, int dpi) {
        auto form = std::make_unique<AnyForm>(description);
        if (dpi != form->Scaling().Dpi()) {
            const RECT now = form->ScreenRect();
            const DpiScale scale(dpi);
            const RECT suggested{now.left, now.top, now.left + scale.Scale(description.Width),
                                 now.top + scale.Scale(description.Height)};
            SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
        }
        return form;
    }

    // Every control and every part a control made (a radio group's buttons).
    static std::map<std::string, Laid> Layout(const AnyForm& form) {
        std::map<std::string, Laid> laid;
        for (const ComponentDescription& component : form.Description().Components) {
            const Control& control = form.Find(component.Name);
            const Bounds place = control.Place();
            laid[component.Name] = {
                component.Parent,
                {place.Left, place.Top, place.Left + place.Width, place.Top + place.Height}};
            int part = 0;
            for (HWND child = GetWindow(control.Handle(), GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (Control::FromHandle(child)) {
                    continue; // a component of its own
                }
                RECT rect{};
                GetWindowRect(child, &rect);
                MapWindowPoints(nullptr, control.Handle(), reinterpret_cast<POINT*>(&rect), 2);
                laid[component.Name + "." + std::to_string(part++)] = {component.Name, rect};
            }
        }
        return laid;
    }
};

TEST_P(FormDpiTest, CaptionsFitAndNoControlsOverlapAnew) {
    const int dpi = GetParam();
    const DpiScale scale(dpi);
    for (const FormDescription* description :
         {&FormMainDescription(), &FormMemoDescription(), &FormBlueDescription(),
          &FormAboutDescription(), &FormAbout2Description(), &ReportPreviewDescription()}) {
        const std::string form = description->ClassName + " at " + std::to_string(dpi);
        std::map<std::string, Laid> designed;
        {
            const auto atDesign = LaidOutAt(*description, kDesignDpi);
            designed = Layout(*atDesign);
        }
        const auto scaled = LaidOutAt(*description, dpi);
        ASSERT_EQ(scaled->Scaling().Dpi(), dpi) << form;
        const std::map<std::string, Laid> laid = Layout(*scaled);

        for (const ComponentDescription& component : description->Components) {
            const Control& control = scaled->Find(component.Name);
            const std::string where = form + ": " + component.Name;
            switch (component.Kind) {
            case ComponentKind::Label:
            case ComponentKind::Button:
            case ComponentKind::CheckBox:
            case ComponentKind::GroupBox:
            case ComponentKind::RadioGroup:
                ExpectCaptionFits(control.Handle(), component.Kind, scale, where);
                break;
            case ComponentKind::Custom:
                if (component.ControlClass == kBitBtnClass) {
                    ExpectCaptionFits(control.Handle(), ComponentKind::Label, scale, where);
                }
                break;
            default:
                break;
            }
            if (component.Kind == ComponentKind::RadioGroup) {
                for (HWND button = GetWindow(control.Handle(), GW_CHILD); button;
                     button = GetWindow(button, GW_HWNDNEXT)) {
                    ExpectCaptionFits(button, ComponentKind::CheckBox, scale, where);
                }
            }
        }

        for (const auto& [name, one] : laid) {
            for (const auto& [otherName, other] : laid) {
                if (name >= otherName || one.Parent != other.Parent) {
                    continue;
                }
                RECT common{};
                const Laid& was = designed.at(name);
                const Laid& otherWas = designed.at(otherName);
                if (!IntersectRect(&common, &was.Rect, &otherWas.Rect)) {
                    EXPECT_FALSE(IntersectRect(&common, &one.Rect, &other.Rect))
                        << form << ": " << name << " and " << otherName;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, FormDpiTest, ::testing::Values(96, 120, 144, 192));

} // namespace
} // namespace zandrel::testing
