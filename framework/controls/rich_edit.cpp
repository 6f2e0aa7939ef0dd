#include "framework/controls/rich_edit.h"

#include "framework/core/callback_errors.h"
#include "framework/system_error.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

namespace zandrel {
namespace {

struct ReadCursor {
    std::string_view text;
    std::size_t position = 0;
};

DWORD CALLBACK ReadFromText(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto& cursor = *reinterpret_cast<ReadCursor*>(cookie);
    const auto count =
        std::min<std::size_t>(static_cast<std::size_t>(size), cursor.text.size() - cursor.position);
    std::memcpy(buffer, cursor.text.data() + cursor.position, count);
    cursor.position += count;
    *done = static_cast<LONG>(count);
    return 0;
}

struct WriteTarget {
    std::string text;
    CallbackErrors errors;
};

// A nonzero answer ends the streaming.
DWORD CALLBACK AppendToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto& target = *reinterpret_cast<WriteTarget*>(cookie);
    const bool appended = target.errors.Run([&] {
        target.text.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
    });
    *done = appended ? size : 0;
    return appended ? 0 : 1;
}

// True when the control took the text in the given format.
bool StreamIn(HWND richEdit, std::string_view text, WPARAM format) {
    ReadCursor cursor{text};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&cursor);
    stream.pfnCallback = ReadFromText;
    SendMessageA(richEdit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

std::string StreamOut(HWND richEdit, WPARAM format) {
    WriteTarget target;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&target);
    stream.pfnCallback = AppendToString;
    SendMessageA(richEdit, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
    target.errors.Rethrow();
    return std::move(target.text);
}

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface> using ComReference = std::unique_ptr<Interface, ComRelease>;

// Storage in memory for each object the control takes in; the control
// refuses nothing and offers no user interface of its own for the objects.
class ObjectStorage final : public IRichEditOleCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IRichEditOleCallback) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IRichEditOleCallback*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetNewStorage(IStorage** storage) override {
        ILockBytes* bytes = nullptr;
        const HRESULT created = CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
        if (FAILED(created)) {
            return created;
        }
        const ComReference<ILockBytes> owner(bytes);
        return StgCreateDocfileOnILockBytes(
            bytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, storage);
    }
    HRESULT STDMETHODCALLTYPE GetInPlaceContext(IOleInPlaceFrame**, IOleInPlaceUIWindow**,
                                                OLEINPLACEFRAMEINFO*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryInsertObject(CLSID*, IStorage*, LONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteObject(IOleObject*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryAcceptData(IDataObject*, CLIPFORMAT*, DWORD, BOOL,
                                              HGLOBAL) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE*, DWORD, IDataObject**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL, DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContextMenu(WORD, IOleObject*, CHARRANGE*, HMENU*) override {
        return E_NOTIMPL;
    }

private:
    ~ObjectStorage() = default;
    std::atomic<ULONG> references_{1};
};

constexpr LPARAM unlimitedText = 0x7FFFFFFE;
constexpr UINT_PTR escapeSubclass = 1;

LRESULT CALLBACK EscapeToForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR) noexcept {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        SendMessageA(GetAncestor(window, GA_ROOT), WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, EscapeToForm, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void LiftTextLimit(HWND richEdit) {
    SendMessageA(richEdit, EM_EXLIMITTEXT, 0, unlimitedText);
}

void LeaveEscapeToForm(HWND richEdit) {
    if (!SetWindowSubclass(richEdit, EscapeToForm, escapeSubclass, 0)) {
        throw SystemError("Cannot pass the text's Esc on to its form", "SetWindowSubclass");
    }
}

void KeepEmbeddedObjects(HWND richEdit) {
    const ComReference<ObjectStorage> callback(new ObjectStorage);
    SendMessageA(richEdit, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback.get()));
}

void LoadRichText(HWND richEdit, std::string_view text) {
    if (text.starts_with("{\\rtf") && StreamIn(richEdit, text, SF_RTF)) {
        return;
    }
    StreamIn(richEdit, text, SF_TEXT);
}

std::string SaveRichText(HWND richEdit) {
    return StreamOut(richEdit, SF_RTF);
}

std::string PlainText(HWND richEdit) {
    return StreamOut(richEdit, SF_TEXT);
}

} // namespace zandrel
