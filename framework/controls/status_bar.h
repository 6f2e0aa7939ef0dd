#pragma once
// A status bar of panels, one width each in the description; the last one
// runs to the end of the bar.
#include "framework/controls/control.h"

#include <string>

namespace zandrel {

class StatusBar : public Control {
public:
    StatusBar(const ComponentDescription& description, HWND parent, int id);

    void ApplyDpi() override;

    std::string PanelText(int panel) const;
    void SetPanelText(int panel, const std::string& text);
    void SetPanelText(int panel, const std::wstring& text);

private:
    void SetParts();
};

} // namespace zandrel
