#include "stickers/unit_memo.h"

#include "catalog/shown_text.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/device_context.h"
#include "framework/dpi.h"
#include "framework/system_error.h"
#include "resources/form_memo.h"
#include "resources/resource_names.h"
#include "stickers/core/sticker_surface.h"
#include "stickers/sticker_menu.h"

#include <commctrl.h>
#include <richedit.h>

#include <array>

namespace zandrel {
namespace {

constexpr UINT_PTR kRichEditSubclass = 1;

// Unscaled when it fits exactly, otherwise scaled smoothly. A picture that
// cannot be drawn (none loaded, or the system refuses the drawing's objects)
// leaves its place in the sticker's colour.
void DrawBitmap(HDC dc, HBITMAP bitmap, PixelRect target) {
    BITMAP size{};
    if (bitmap && GetObjectA(bitmap, sizeof size, &size)) {
        DrawPicture(dc, bitmap, {size.bmWidth, size.bmHeight},
                    {target.Left, target.Top, target.Right, target.Bottom});
    }
}

POINT ToPoint(PixelPoint point) {
    return {point.X, point.Y};
}

bool ReadLeftButton() {
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

HCURSOR Arrow() {
    return LoadCursorA(nullptr, IDC_ARROW);
}

FormDescription SizedDescription(int width, int height) {
    FormDescription design = FormMemoDescription();
    design.Width = width;
    design.Height = height;
    return design;
}

} // namespace

const StickerPictureSet& StickerPictures::For(DpiScale scale) const {
    const StickerPictureSet& scaled = scale.PictureScale() == 200   ? At200
                                      : scale.PictureScale() == 150 ? At150
                                                                    : *this;
    return scaled.Pin ? scaled : *this;
}

std::function<bool()> TFormMemo::LeftButtonDown = ReadLeftButton;

TFormMemo::TFormMemo(const StickerHost& host, StickerGdi& gdi, int width, int height, int dpi)
    : Form(SizedDescription(width, height)), host_(host), gdi_(gdi) {
    Bind(form_memo::on::FormCreate, WhileModal::Runs, &TFormMemo::FormCreate);
    Bind(form_memo::on::FormClose, WhileModal::Runs, &TFormMemo::FormClose);
    // It shows the main window, which a modal loop keeps disabled.
    Bind(form_memo::on::FormDblClick, WhileModal::Refused, &TFormMemo::FormDblClick);
    Create(false, dpi);
    // FormCreate runs guarded, where a failure is only reported: a sticker
    // without its text control is no sticker.
    if (textControlRefused_) {
        throw *textControlRefused_;
    }
}

TFormMemo::~TFormMemo() = default;

void TFormMemo::SetName(const std::string& name) {
    name_ = name;
    SetWindowTextA(Handle(), name.c_str());
}

// A new text keeps the control's zoom: what the user touched stays marked
// for MakeFresh.
void TFormMemo::LoadText(std::string_view text) {
    text_ = text;
    if (richEdit_) {
        LoadRichText(richEdit_.get(), text);
    }
}

void TFormMemo::LoadMessage(const TMessageEntry& entry) {
    text_ = entry.RichText;
    if (richEdit_) {
        LoadMessageText(richEdit_.get(), ShownTextOf(entry));
    }
}

void TFormMemo::MakeFresh(HWND capture) {
    const RECT window = ScreenRect();
    LastMouseX = window.right - window.left;
    LastMouseY = window.bottom - window.top;
    HitReady = true;
    if (capture && (capture == Handle() || capture == richEdit_.get())) {
        ReleaseCapture();
    }
    if (!textTouched_ || !richEdit_) {
        return;
    }
    const HWND text = richEdit_.get();
    SendMessageA(text, EM_SETSEL, 0, 0);
    POINT start{0, 0};
    SendMessageA(text, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&start));
    SendMessageA(text, EM_SETZOOM, 0, 0);
    textTouched_ = false;
}

std::uint64_t TFormMemo::NextStackingRank() {
    static std::uint64_t rank = 0;
    return ++rank;
}

void TFormMemo::FormCreate(Event&) {
    App().SetScreenCursor(WebCursorSlot, LoadCursorA(App().Instance(), res::kCursorWeb));

    richEdit_.reset(CreateWindowExA(
        0, "RichEdit20A", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
        0, 0, 0, 0, Handle(), nullptr, App().Instance(), nullptr));
    if (!richEdit_) {
        textControlRefused_.emplace("Cannot create the sticker's text control", "CreateWindowExA");
        return;
    }
    if (!SetWindowSubclass(richEdit_.get(), RichEditProcedure, kRichEditSubclass,
                           reinterpret_cast<DWORD_PTR>(this))) {
        textControlRefused_.emplace("Cannot watch the sticker's text control", "SetWindowSubclass");
        richEdit_.reset();
        return;
    }
    SetTextFont();
    SendMessageA(richEdit_.get(), EM_SETBKGNDCOLOR, 0, color_);
    LiftTextLimit(richEdit_.get());
    LeaveEscapeToForm(richEdit_.get());
    FormResize();
    MakeFresh(nullptr);
}

// The text's default font, at the sticker's DPI.
void TFormMemo::SetTextFont() {
    const FormDescription& design = Description();
    const HFONT font = gdi_.TextFont(design.FontName, Scale(design.FontHeight));
    SendMessageA(richEdit_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// Moved onto a monitor of another DPI: the frame has its new size already.
void TFormMemo::DpiChanged() {
    if (richEdit_) {
        SetTextFont();
        FormResize();
    }
}

// A closed sticker is destroyed; its message forgets it until the next
// rebuild links a new one.
void TFormMemo::FormClose(Event& event) {
    if (const auto index = LinkedIndex()) {
        host_.Messages()->Entry(*index).StickerHandle = 0;
    }
    richEdit_.reset();
    event.Action = CloseAction::Free;
}

// The region follows the size: it is set here, never while painting.
void TFormMemo::FormResize() {
    if (!richEdit_) {
        return; // FormCreate lays out once the text control exists
    }
    SetRegion();
    const WindowBounds bounds = TextBounds(ClientWidth(), ClientHeight(), Scaling());
    MoveWindow(richEdit_.get(), bounds.Left, bounds.Top, bounds.Width, bounds.Height, TRUE);
    SendMessageA(richEdit_.get(), EM_SETBKGNDCOLOR, 0, color_);
}

// The region follows the painted outline on whatever frame the platform
// draws: it is placed from where the client area really begins. Should the
// system refuse both the outline's region and the plain client area's, the
// window keeps the region it has.
void TFormMemo::SetRegion() {
    POINT clientOrigin{0, 0};
    ClientToScreen(Handle(), &clientOrigin);
    const RECT window = ScreenRect();
    const int left = clientOrigin.x - window.left;
    const int top = clientOrigin.y - window.top;
    const StickerPolygon polygon =
        StickerRegion(ClientWidth(), ClientHeight(), {left, top}, Scaling());
    std::array<POINT, polygon.size()> points{};
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        points[i] = ToPoint(polygon[i]);
    }
    RegionHandle region =
        gdi_.Region(points, {left, top, left + ClientWidth(), top + ClientHeight()});
    if (region && SetWindowRgn(Handle(), region.get(), IsWindowVisible(Handle()))) {
        region.release();
    }
}

void TFormMemo::Paint(HDC dc) {
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    SetBkMode(dc, OPAQUE);
    {
        const Selection outlinePen(dc, gdi_.BlackPen(OutlinePenWidth(Scaling())));
        const auto outline = StickerOutline(cw, ch, Scaling());
        std::array<POINT, outline.size()> points{};
        for (std::size_t i = 0; i < outline.size(); ++i) {
            points[i] = ToPoint(outline[i]);
        }
        Polyline(dc, points.data(), int(points.size()));
    }
    DrawPictures(dc);
    const PixelRect corner = FoldedCornerRect(cw, Scaling());
    const Selection cornerPen(dc, gdi_.BlackPen(Scale(1)));
    const Selection cornerBrush(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, corner.Left, corner.Top, corner.Right, corner.Bottom);
    MoveToEx(dc, corner.Left, corner.Top, nullptr);
    LineTo(dc, corner.Right, corner.Bottom);
}

void TFormMemo::DrawPictures(HDC dc) {
    const StickerPictureSet& pictures = host_.Pictures.For(Scaling());
    DrawBitmap(dc, Red() ? pictures.PinRed : pictures.Pin, PinRect(Scaling()));
    DrawBitmap(dc, Red() ? pictures.BannerRed : pictures.Banner,
               BannerRect(ClientWidth(), Scaling()));
}

void TFormMemo::FormMouseMove(int x, int y) {
    LastMouseX = x;
    LastMouseY = y;
}

HCURSOR TFormMemo::CursorAtPointer() const {
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(Handle(), &pointer);
    const HCURSOR web =
        StickerCursor(ClientWidth(), pointer.x, pointer.y, Scaling()) == WebCursorSlot
            ? App().ScreenCursor(WebCursorSlot)
            : nullptr;
    return web ? web : Arrow();
}

// The press captured the mouse: its release comes here wherever it happens.
void TFormMemo::FormMouseUp() {
    HitReady = true;
    if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
}

// Brings up the main window on the screen, on this sticker's message.
void TFormMemo::DoubleClickCommand() {
    Event event;
    RunHandler(form_memo::on::FormDblClick, event);
}

void TFormMemo::FormDblClick(Event&) {
    const HWND main = host_.MainWindow();
    RECT rect{};
    GetWindowRect(main, &rect);
    const WindowBounds bounds{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    const ScreenPosition place = MainWindowPlacement(bounds, App().Env().Screen());
    if (place.Left != rect.left || place.Top != rect.top) {
        SetWindowPos(main, nullptr, place.Left, place.Top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(main, SW_SHOWNORMAL);
    SetForegroundWindow(main);
    if (host_.MainWindowShown) {
        host_.MainWindowShown();
    }
    if (const auto index = LinkedIndex()) {
        host_.Messages()->CurrentIndex = int(*index);
        host_.ShowCurrentMessage();
    }
}

void TFormMemo::SetStickerColor(COLORREF color) {
    color_ = color;
    if (richEdit_) {
        SendMessageA(richEdit_.get(), EM_SETBKGNDCOLOR, 0, color);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TFormMemo::ToggleHeight() {
    const RECT window = ScreenRect();
    const HeightToggle toggle = ToggleStickerHeight(window.bottom - window.top, Scaling());
    SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left, toggle.Height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    App().Sounds().Play(std::string(toggle.Sound));
    HitReady = false;
}

// The shell may run a loop of its own before it returns: the sticker stays
// until it has.
void TFormMemo::OpenHomePage() {
    HitReady = false;
    const Application::ModalLoop shellCall(Application::ModalLoop::OwnLoopOf{Handle()});
    App().Env().ShellOpen(HomePageAddress);
}

// Keeps the place the sticker has before the drag this press starts; the
// message is replaced by a clone that stays linked to this sticker. Not
// while a box or a dialog is open: the handler under it may hold the entry.
// A message that has a place of its own keeps it: the sticker stands there,
// or hangs in the cascade only while the monitor of that place is away, and
// that place must not be lost to the cascade's slot. Where a drag ends is
// stored when it ends.
void TFormMemo::StorePosition() {
    const auto index = LinkedIndex();
    if (!index || App().InModalLoop()) {
        return;
    }
    MessageList& list = *host_.Messages();
    std::unique_ptr<TMessageEntry> copy = list.Entry(*index).Clone();
    const RECT window = ScreenRect();
    if (!StoredPlaceUsable(copy->Record)) {
        copy->SetPosition(false, window.left, window.top);
    }
    copy->StickerHandle = reinterpret_cast<std::uintptr_t>(Handle());
    list.ReplaceAt(*index, std::move(copy));
}

void TFormMemo::StoreRestingPlace(ScreenPosition dragStart) {
    const RECT window = ScreenRect();
    const auto index = LinkedIndex();
    if (!index || (window.left == dragStart.Left && window.top == dragStart.Top)) {
        return;
    }
    host_.Messages()->Entry(*index).SetPosition(false, window.left, window.top);
    if (host_.PositionStored) {
        host_.PositionStored();
    }
}

std::optional<std::size_t> TFormMemo::LinkedIndex() const {
    MessageList* list = host_.Messages ? host_.Messages() : nullptr;
    if (!list || !Handle()) {
        return std::nullopt;
    }
    const auto handle = reinterpret_cast<std::uintptr_t>(Handle());
    for (std::size_t i = 0; i < list->Count(); ++i) {
        if (list->Entry(i).StickerHandle == handle) {
            return i;
        }
    }
    return std::nullopt;
}

int TFormMemo::ClientWidth() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.right;
}

int TFormMemo::ClientHeight() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.bottom;
}

// The surface is client area while the button is up, so that movements reach
// FormMouseMove; a press acts on the last movement seen, and only a press on
// the drag area is answered as a caption, which makes the platform move the
// window. No answer offers a frame edge: stickers are not resized by hand.
LRESULT TFormMemo::WMNCHitTest() {
    const StickerPress press = DecideStickerPress(LeftButtonDown(), HitReady, LastMouseX,
                                                  LastMouseY, ClientWidth(), Scaling());
    switch (press) {
    case StickerPress::ToggleHeight:
        ToggleHeight();
        break;
    case StickerPress::OpenHomePage:
        OpenHomePage();
        break;
    case StickerPress::StorePosition:
        StorePosition();
        break;
    case StickerPress::None:
        break;
    }
    return AnswersCaption(press) ? HTCAPTION : HTCLIENT;
}

LRESULT TFormMemo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return WMNCHitTest();
    // The DC's own brush in the sticker's colour: no brush to make.
    case WM_ERASEBKGND: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        RECT client{};
        GetClientRect(Handle(), &client);
        SetDCBrushColor(dc, color_);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        return 1;
    }
    case WM_PAINT: {
        const PaintDc dc(Handle());
        if (dc.Get()) {
            Paint(dc.Get());
        }
        return 0;
    }
    case WM_SIZE: {
        const LRESULT result = Form::HandleMessage(message, wParam, lParam);
        FormResize();
        return result;
    }
    case WM_MOUSEMOVE:
        FormMouseMove(short(LOWORD(lParam)), short(HIWORD(lParam)));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
            SetCursor(CursorAtPointer());
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        SetCapture(Handle());
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        FormMouseUp();
        break;
    // The release went elsewhere (another window took the mouse): the next
    // press acts again.
    case WM_CAPTURECHANGED:
        HitReady = true;
        break;
    case WM_LBUTTONDBLCLK: {
        Event event;
        RunHandler(form_memo::on::FormDblClick, event);
        return 0;
    }
    // Raised by a click or by the system: on top of the set. Put elsewhere:
    // the next rebuild raises it again.
    case WM_WINDOWPOSCHANGED:
        if (const auto& place = *reinterpret_cast<const WINDOWPOS*>(lParam);
            !(place.flags & SWP_NOZORDER)) {
            StackingRank = place.hwndInsertAfter == HWND_TOP ? NextStackingRank() : 0;
        }
        break;
    case WM_CONTEXTMENU:
        ShowStickerMenu(*this, host_, {short(LOWORD(lParam)), short(HIWORD(lParam))});
        return 0;
    case WM_ENTERSIZEMOVE: {
        moveLoop_.emplace(Application::ModalLoop::OwnLoopOf{Handle()});
        const RECT window = ScreenRect();
        dragStart_ = {window.left, window.top};
        break;
    }
    // Stored once no box or dialog is open any more: the handler under one
    // may hold the entry.
    case WM_EXITSIZEMOVE:
        if (moveLoop_) {
            moveLoop_.reset();
            WhenNotModal([this, start = dragStart_] { StoreRestingPlace(start); });
        }
        break;
    default:
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK TFormMemo::RichEditProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR self) noexcept {
    auto* sticker = reinterpret_cast<TFormMemo*>(self);
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(Arrow());
        return TRUE;
    case WM_LBUTTONDBLCLK:
        sticker->textTouched_ = true;
        App().Guard([&] {
            Event event;
            sticker->RunHandler(form_memo::on::FormDblClick, event);
        });
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case EM_SETSEL:
    case EM_EXSETSEL:
    case EM_SETSCROLLPOS:
    case EM_SETZOOM:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SCROLLCARET:
        sticker->textTouched_ = true;
        break;
    case WM_CONTEXTMENU: // the sticker's menu, over its text too
        return SendMessageA(sticker->Handle(), message, wParam, lParam);
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, RichEditProcedure, id);
        sticker->richEdit_.release();
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace zandrel
