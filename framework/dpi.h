#pragma once
// The DPI of windows and monitors, and pictures for a DPI. Per-monitor DPI
// needs Windows 10 (windows) or 8.1 (monitors); the functions are looked up
// at run time, and older systems give the system DPI for everything.
#include "framework/core/dpi_scale.h"
#include "framework/handles.h"

#include <string>

namespace zandrel {

// The DPI every window of the program had at its start.
int SystemDpi();
// The DPI a window is drawn at: its monitor's.
int WindowDpi(HWND window);
int MonitorDpi(HMONITOR monitor);

// A bitmap resource drawn at the picture scale nearest to the DPI: `name`
// at 100 %, `name`_150 and `name`_200 beside it. Size is the bitmap's,
// Percent the scale it was drawn at (100 where no larger one exists).
struct ScaledPicture {
    BitmapHandle Bitmap;
    SIZE Size{};
    int Percent = 100;
};
ScaledPicture LoadPicture(const std::string& name, DpiScale scale);

// Draws a picture into `target`: copied when the sizes agree, otherwise
// scaled smoothly.
bool DrawPicture(HDC dc, HBITMAP picture, SIZE size, RECT target);

// An image list of a strip of square images of designSize pixels at 96 DPI,
// whose `transparent` colour is see-through, made at the scale's size.
ImageListHandle LoadImageStrip(const std::string& name, int designSize, DpiScale scale,
                               COLORREF transparent);

} // namespace zandrel
