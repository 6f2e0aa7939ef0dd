#pragma once
// Owners for Win32 handles: each frees its handle exactly once and cannot be
// copied. release() hands the handle over to whoever takes ownership (after a
// successful SetWindowRgn the system owns the region).
#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace zandrel {

template <typename Handle, auto Free> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (Handle old = std::exchange(handle_, handle)) {
            Free(old);
        }
    }

private:
    Handle handle_ = nullptr;
};

namespace handle_free {
inline void Window(HWND handle) {
    DestroyWindow(handle);
}
inline void Menu(HMENU handle) {
    DestroyMenu(handle);
}
inline void Icon(HICON handle) {
    DestroyIcon(handle);
}
inline void GdiObject(HGDIOBJ handle) {
    DeleteObject(handle);
}
inline void Kernel(HANDLE handle) {
    CloseHandle(handle);
}
inline void Module(HMODULE handle) {
    FreeLibrary(handle);
}
inline void ImageList(HIMAGELIST handle) {
    ImageList_Destroy(handle);
}
inline void EnhMetaFile(HENHMETAFILE handle) {
    DeleteEnhMetaFile(handle);
}
inline void GlobalMemory(HGLOBAL handle) {
    GlobalFree(handle);
}
} // namespace handle_free

using WindowHandle = UniqueHandle<HWND, handle_free::Window>;
using MenuHandle = UniqueHandle<HMENU, handle_free::Menu>;
using IconHandle = UniqueHandle<HICON, handle_free::Icon>;
using BitmapHandle = UniqueHandle<HBITMAP, handle_free::GdiObject>;
using FontHandle = UniqueHandle<HFONT, handle_free::GdiObject>;
using BrushHandle = UniqueHandle<HBRUSH, handle_free::GdiObject>;
using RegionHandle = UniqueHandle<HRGN, handle_free::GdiObject>;
using PenHandle = UniqueHandle<HPEN, handle_free::GdiObject>;
using KernelHandle = UniqueHandle<HANDLE, handle_free::Kernel>;
using ModuleHandle = UniqueHandle<HMODULE, handle_free::Module>;
using ImageListHandle = UniqueHandle<HIMAGELIST, handle_free::ImageList>;
using MetafileHandle = UniqueHandle<HENHMETAFILE, handle_free::EnhMetaFile>;
using GlobalMemoryHandle = UniqueHandle<HGLOBAL, handle_free::GlobalMemory>;

} // namespace zandrel
