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

BitmapHandle LoadPicture(const std::string& name) {
    BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(App().Instance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bitmap) {
        throw std::runtime_error("Resource " + name + " not found");
    }
    return bitmap;
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

} // namespace

Image::Image(const ComponentDescription& description, HWND parent, int id)
    : CustomControl(description, parent, id), picture_(LoadPicture(description.Images)) {}

void Image::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const SIZE size = SizeOf(picture_.get());
    const MemoryDc source(dc);
    const Selection selected(source.Get(), picture_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, size.cx, size.cy,
               SRCCOPY);
}

BitBtn::BitBtn(const ComponentDescription& description, HWND parent, int id)
    : CustomControl(description, parent, id), glyph_(LoadPicture(description.Images)) {
    font_ = CreateFontFrom(description.Font.value_or(FontDescription{}));
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
    const SIZE glyph = SizeOf(glyph_.get());
    const int glyphWidth = glyph.cx / kGlyphStates;
    const int contentHeight = measured.bottom + kGlyphMargin + glyph.cy;
    const int top = (client.bottom - contentHeight) / 2 + shift;

    RECT text{shift, top, client.right + shift, top + measured.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorRef(Description().FontColor.value_or(kSystemColor | COLOR_BTNTEXT)));
    DrawTextA(dc, caption.c_str(), -1, &text, DT_CENTER | DT_SINGLELINE | DT_TOP);

    const MemoryDc source(dc);
    const Selection selected(source.Get(), glyph_.get());
    BitBlt(dc, (client.right - glyphWidth) / 2 + shift, text.bottom + kGlyphMargin, glyphWidth,
           glyph.cy, source.Get(), pressed_ ? glyphWidth : 0, 0, SRCCOPY);
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
