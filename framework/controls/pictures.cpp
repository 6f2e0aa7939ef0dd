#include "framework/controls/pictures.h"

#include "framework/application.h"
#include "framework/device_context.h"
#include "framework/form.h"

#include <memory>
#include <stdexcept>

namespace zandrel {
namespace {

constexpr int kGlyphStates = 2;
constexpr int kGlyphMargin = 4;

// A glyph state's design size: half the picture's width at 100 %.
SIZE GlyphDesignSize(const ScaledPicture& glyph) {
    return {glyph.Size.cx * 100 / glyph.Percent / kGlyphStates,
            glyph.Size.cy * 100 / glyph.Percent};
}

} // namespace

Image::Image(const ComponentDescription& description, HWND parent, int id)
    : CustomControl(description, parent, id), picture_(LoadPicture(description.Images, Scaling())) {
}

void Image::ApplyDpi() {
    CustomControl::ApplyDpi();
    picture_ = LoadPicture(Description().Images, Scaling());
    InvalidateRect(Handle(), nullptr, FALSE);
}

void Image::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    DrawPicture(dc, picture_.Bitmap.get(), picture_.Size, client);
}

BitBtn::BitBtn(const ComponentDescription& description, HWND parent, int id)
    : CustomControl(description, parent, id) {
    ApplyDpi();
}

void BitBtn::ApplyDpi() {
    CustomControl::ApplyDpi();
    glyph_ = LoadPicture(Description().Images, Scaling());
    font_ = CreateFontFrom(Description().Font.value_or(FontDescription{}), Scaling());
    InvalidateRect(Handle(), nullptr, FALSE);
}

// A raised button, sunk while pressed; the caption on top, the glyph of the
// state below it, both centred.
void BitBtn::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int shift = pressed_ ? 1 : 0;

    const Selection font(dc, font_.get());
    const std::string caption = Text();
    RECT measured{0, 0, client.right, 0};
    DrawTextA(dc, caption.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    const DpiScale scale = Scaling();
    const SIZE design = GlyphDesignSize(glyph_);
    const SIZE glyph{scale.Scale(design.cx), scale.Scale(design.cy)};
    const int margin = scale.Scale(kGlyphMargin);
    const int contentHeight = measured.bottom + margin + glyph.cy;
    const int top = (client.bottom - contentHeight) / 2 + shift;

    RECT text{shift, top, client.right + shift, top + measured.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorRef(Description().FontColor.value_or(kSystemColor | COLOR_BTNTEXT)));
    DrawTextA(dc, caption.c_str(), -1, &text, DT_CENTER | DT_SINGLELINE | DT_TOP);

    // One state of the two: the picture's left or right half, clipped.
    const int left = (client.right - glyph.cx) / 2 + shift;
    const int glyphTop = text.bottom + margin;
    const SavedDc saved(dc);
    IntersectClipRect(dc, left, glyphTop, left + glyph.cx, glyphTop + glyph.cy);
    const int offset = pressed_ ? glyph.cx : 0;
    DrawPicture(
        dc, glyph_.Bitmap.get(), glyph_.Size,
        {left - offset, glyphTop, left - offset + glyph.cx * kGlyphStates, glyphTop + glyph.cy});
}

void BitBtn::MouseDown(const MouseEvent& mouse) {
    if (mouse.Button == MouseButton::Left) {
        SetCapture(Handle());
        SetPressed(true);
    }
}

void BitBtn::MouseUp(const MouseEvent& mouse) {
    if (mouse.Button != MouseButton::Left || !pressed_) {
        return;
    }
    ReleaseCapture();
    SetPressed(false);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (PtInRect(&client, POINT{mouse.X, mouse.Y})) {
        Fire(OnClick);
    }
}

void BitBtn::SetPressed(bool pressed) {
    pressed_ = pressed;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void RegisterPictureControls() {
    RegisterControlClass(kImageClass,
                         [](const ComponentDescription& description, HWND parent,
                            int id) -> std::unique_ptr<Control> {
                             return std::make_unique<Image>(description, parent, id);
                         });
    RegisterControlClass(kBitBtnClass,
                         [](const ComponentDescription& description, HWND parent,
                            int id) -> std::unique_ptr<Control> {
                             return std::make_unique<BitBtn>(description, parent, id);
                         });
}

} // namespace zandrel
