#pragma once
// Controls that show bitmap resources: a picture stretched over the control,
// and a bitmap button with its caption above a glyph. The description's
// Images names the bitmap, drawn at the picture scale nearest to the form's
// DPI; a glyph holds two states side by side, up and pressed.
#include "framework/controls/custom_control.h"
#include "framework/dpi.h"
#include "framework/handles.h"

namespace zandrel {

inline constexpr char kImageClass[] = "Zandrel.Image";
inline constexpr char kBitBtnClass[] = "Zandrel.BitBtn";

class Image : public CustomControl {
public:
    Image(const ComponentDescription& description, HWND parent, int id);
    void ApplyDpi() override;

protected:
    void Paint(HDC dc) override;

private:
    ScaledPicture picture_;
};

// Runs OnClick when the left button is let go over it after a press.
class BitBtn : public CustomControl {
public:
    BitBtn(const ComponentDescription& description, HWND parent, int id);

    bool Pressed() const { return pressed_; }
    void ApplyDpi() override;

protected:
    void Paint(HDC dc) override;
    void MouseDown(const MouseEvent& mouse) override;
    void MouseUp(const MouseEvent& mouse) override;

private:
    void SetPressed(bool pressed);

    ScaledPicture glyph_;
    FontHandle font_;
    bool pressed_ = false;
};

// Makes the two classes known to forms (as Custom components).
void RegisterPictureControls();

} // namespace zandrel
