#pragma once
// Owners for device contexts, each ending its DC the way it was taken, and a
// selection that puts the previous object back into its DC.
#include <windows.h>

namespace zandrel {

// A window's DC (GetDC/ReleaseDC); a null window is the screen's.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The DC of one WM_PAINT (BeginPaint/EndPaint).
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A DC that owns its device: a memory DC compatible with another one
// (CreateCompatibleDC), or a printer's (CreateDCA); DeleteDC ends both.
class OwnedDc {
public:
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;
    ~OwnedDc() {
        if (dc_) {
            DeleteDC(dc_);
        }
    }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

protected:
    explicit OwnedDc(HDC dc) : dc_(dc) {}

private:
    HDC dc_;
};

class MemoryDc : public OwnedDc {
public:
    explicit MemoryDc(HDC like) : OwnedDc(CreateCompatibleDC(like)) {}
};

class PrinterDc : public OwnedDc {
public:
    explicit PrinterDc(const char* printer, const DEVMODEA* mode = nullptr)
        : OwnedDc(CreateDCA(nullptr, printer, nullptr, mode)) {}
};

// Saves a DC's state and puts it back at the end of the scope.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, saved_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Selects a GDI object into a DC for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace zandrel
