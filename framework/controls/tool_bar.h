#pragma once
// Tool bars: buttons with images from a bitmap resource, separators, and
// slots where other components of the form sit inside the bar.
#include "framework/controls/control.h"
#include "framework/handles.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// A button of a toolbar control: not a window of its own, but a command
// identifier of its toolbar.
class ToolBarButton {
public:
    ToolBarButton(const ToolButtonDescription& description, HWND toolBar, int id);
    ToolBarButton(const ToolBarButton&) = delete;
    ToolBarButton& operator=(const ToolBarButton&) = delete;

    const ToolButtonDescription& Description() const { return description_; }
    const std::string& Name() const { return description_.Name; }
    int Id() const { return id_; }
    int Tag() const { return description_.Tag; }
    const std::string& Hint() const { return description_.Hint; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Check buttons. Pressing a grouped one releases the others of its group.
    // Setting the state runs no handler.
    bool Down() const;
    void SetDown(bool down);
    // The button as the toolbar control takes it, at the toolbar's DPI.
    TBBUTTON Item(bool showCaptions, DpiScale scale) const;
    void SetWidth(int width) { description_.Width = width; }

    EventHandler OnClick;

private:
    ToolButtonDescription description_;
    HWND toolBar_;
    int id_;
    bool enabled_;
};

class ToolBar : public Control {
public:
    ToolBar(const ComponentDescription& description, HWND parent, int id);

    // As high as its buttons, or as designed when that is higher (room for
    // the controls inside it).
    int DockedHeight() const override;
    void BindHandlers(const HandlerLookup& resolve) override;
    void DropHandlers() override;
    void Connect(const ControlLookup& find) override;
    void ApplyDpi() override;
    void LaidOut() override { PlaceSlots(); }
    // A disabled button sends nothing; a command for one is not obeyed.
    void Command(UINT code, int id) override;

    const std::vector<std::unique_ptr<ToolBarButton>>& Buttons() const { return buttons_; }
    ToolBarButton* ButtonById(int id) const;
    // Showing or hiding the captions lays the form out again, as the buttons
    // change their height.
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool show);
    // Design pixels, like every size here: the toolbar scales them.
    void SetButtonSize(int width, int height);
    // In pixels.
    SIZE ButtonSize() const;
    // A slot's width; the components inside the toolbar move to their slots.
    void SetSlotWidth(std::string_view name, int width);
    void PlaceSlots();

private:
    void AddToolButtons();
    void LoadImages();

    ImageListHandle images_;
    std::vector<std::unique_ptr<ToolBarButton>> buttons_;
    bool showCaptions_;
    int buttonWidth_;
    int buttonHeight_;
};

} // namespace zandrel
