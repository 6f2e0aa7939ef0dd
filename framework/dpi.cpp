#include "framework/dpi.h"

#include "framework/application.h"
#include "framework/device_context.h"
#include "framework/system_error.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zandrel {
namespace {

template <typename Function> Function LookUp(HMODULE library, const char* name) {
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

HMODULE User32() {
    return GetModuleHandleA("user32.dll");
}

std::string PictureName(const std::string& name, int pictureScale) {
    return pictureScale == 100 ? name : name + "_" + std::to_string(pictureScale);
}

BitmapHandle LoadBitmapResource(const std::string& name) {
    return BitmapHandle(static_cast<HBITMAP>(
        LoadImageA(App().Instance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// The pixels of a bitmap, top row first, as 0x00RRGGBB.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, SIZE size) {
    std::vector<std::uint32_t> pixels(std::size_t(size.cx) * std::size_t(size.cy));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const WindowDc screen(nullptr);
    GetDIBits(screen.Get(), bitmap, 0, UINT(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

BitmapHandle MakeBitmap(const std::vector<std::uint32_t>& pixels, SIZE size, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const WindowDc screen(nullptr);
    BitmapHandle bitmap(bitCount == 1 ? CreateBitmap(size.cx, size.cy, 1, 1, nullptr)
                                      : CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    if (!bitmap) {
        throw SystemError("Cannot create a picture of " + std::to_string(size.cx) + " x " +
                              std::to_string(size.cy) + " pixels",
                          bitCount == 1 ? "CreateBitmap" : "CreateCompatibleBitmap");
    }
    SetDIBits(screen.Get(), bitmap.get(), 0, UINT(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

// Shrinks or grows a strip by averaging the opaque source pixels under each
// target pixel; a target pixel is transparent when half or more of what lies
// under it is. So the transparent colour never bleeds into the edges.
struct MaskedPixels {
    std::vector<std::uint32_t> Colour;
    std::vector<std::uint32_t> Mask; // white: transparent
};

MaskedPixels Resample(const std::vector<std::uint32_t>& source, SIZE from, SIZE to,
                      std::uint32_t transparent) {
    MaskedPixels result{std::vector<std::uint32_t>(std::size_t(to.cx) * to.cy),
                        std::vector<std::uint32_t>(std::size_t(to.cx) * to.cy)};
    for (int y = 0; y < to.cy; ++y) {
        const int top = int(y * from.cy / to.cy);
        const int bottom = std::max<int>(top + 1, (y + 1) * from.cy / to.cy);
        for (int x = 0; x < to.cx; ++x) {
            const int left = int(x * from.cx / to.cx);
            const int right = std::max<int>(left + 1, (x + 1) * from.cx / to.cx);
            unsigned red = 0, green = 0, blue = 0, opaque = 0, all = 0;
            for (int sy = top; sy < bottom; ++sy) {
                for (int sx = left; sx < right; ++sx) {
                    const std::uint32_t pixel = source[std::size_t(sy) * from.cx + sx] & 0xFFFFFF;
                    ++all;
                    if (pixel == transparent) {
                        continue;
                    }
                    ++opaque;
                    red += (pixel >> 16) & 0xFF;
                    green += (pixel >> 8) & 0xFF;
                    blue += pixel & 0xFF;
                }
            }
            const std::size_t at = std::size_t(y) * to.cx + x;
            if (2 * opaque <= all) {
                result.Mask[at] = 0xFFFFFF; // drawn through the mask: black here
            } else {
                result.Colour[at] =
                    ((red / opaque) << 16) | ((green / opaque) << 8) | (blue / opaque);
            }
        }
    }
    return result;
}

} // namespace

int SystemDpi() {
    static const auto getDpiForSystem = LookUp<UINT(WINAPI*)()>(User32(), "GetDpiForSystem");
    if (getDpiForSystem) {
        return int(getDpiForSystem());
    }
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = LookUp<UINT(WINAPI*)(HWND)>(User32(), "GetDpiForWindow");
    if (const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0) {
        return int(dpi);
    }
    // Before Windows 10 a window has its monitor's DPI.
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const ModuleHandle shcore(LoadLibraryA("shcore.dll"));
    static const auto getDpiForMonitor =
        LookUp<GetDpiForMonitorFunction>(shcore.get(), "GetDpiForMonitor");
    constexpr int effectiveDpi = 0;
    UINT x = 0, y = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, effectiveDpi, &x, &y)) && y) {
        return int(y);
    }
    return SystemDpi();
}

ScaledPicture LoadPicture(const std::string& name, DpiScale scale) {
    int percent = scale.PictureScale();
    BitmapHandle bitmap = LoadBitmapResource(PictureName(name, percent));
    if (!bitmap) {
        percent = 100;
        bitmap = LoadBitmapResource(name);
    }
    if (!bitmap) {
        throw SystemError("Cannot load the picture " + name, "LoadImageA");
    }
    const SIZE size = SizeOf(bitmap.get());
    return {std::move(bitmap), size, percent};
}

bool DrawPicture(HDC dc, HBITMAP picture, SIZE size, RECT target) {
    if (!picture) {
        return false;
    }
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width <= 0 || height <= 0) {
        return true; // nothing to draw in no room
    }
    const MemoryDc source(dc);
    const Selection selected(source.Get(), picture);
    if (width == size.cx && height == size.cy) {
        return BitBlt(dc, target.left, target.top, width, height, source.Get(), 0, 0, SRCCOPY);
    }
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    return StretchBlt(dc, target.left, target.top, width, height, source.Get(), 0, 0, size.cx,
                      size.cy, SRCCOPY);
}

ImageListHandle LoadImageStrip(const std::string& name, int designSize, DpiScale scale,
                               COLORREF transparent) {
    if (scale.IsDesign()) {
        return ImageListHandle(ImageList_LoadImageA(App().Instance(), name.c_str(), designSize, 0,
                                                    transparent, IMAGE_BITMAP,
                                                    LR_CREATEDIBSECTION));
    }
    const ScaledPicture strip = LoadPicture(name, scale);
    const int pictureSize = strip.Size.cy;
    const int size = scale.Scale(designSize);
    const int count = strip.Size.cx / std::max(pictureSize, 1);
    const std::uint32_t key =
        (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) | GetBValue(transparent);
    const MaskedPixels pixels =
        Resample(ReadPixels(strip.Bitmap.get(), strip.Size), strip.Size, {count * size, size}, key);
    const BitmapHandle colour = MakeBitmap(pixels.Colour, {count * size, size}, 32);
    const BitmapHandle mask = MakeBitmap(pixels.Mask, {count * size, size}, 1);
    ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 0));
    if (!list || ImageList_Add(list.get(), colour.get(), mask.get()) < 0) {
        throw SystemError("Cannot make the image list of " + name,
                          list ? "ImageList_Add" : "ImageList_Create");
    }
    return list;
}

} // namespace zandrel
