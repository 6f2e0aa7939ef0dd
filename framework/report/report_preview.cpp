#include "framework/report/report_preview.h"

#include "framework/application.h"
#include "framework/controls/buttons.h"
#include "framework/device_context.h"
#include "framework/system_error.h"
#include "framework/window.h"
#include "framework/window_messages.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace zandrel {
namespace {

constexpr int kBarHeight = 30;
constexpr int kGap = 12; // gray around the page
constexpr UINT_PTR kProduceTimer = 1;
constexpr UINT_PTR kKeySubclass = 7;

FormDescription PreviewDesign() {
    FormDescription form;
    form.ClassName = "Zandrel.ReportPreview";
    form.Caption = "Print preview";
    form.Width = 760;
    form.Height = 740;
    form.Centered = true;
    form.CloseOnEscape = true;
    form.OnCreate = form_preview::on::FormCreate;
    form.OnClose = form_preview::on::FormClose;
    using K = ComponentKind;
    auto button = [](const char* name, const char* caption, int left, int width,
                     const char* handler) {
        return Component(name, K::Button, {left, 3, width, 24})
            .In(form_preview::PanelBar)
            .Titled(caption)
            .Click(handler);
    };
    form.Components = {
        Component(form_preview::PanelBar, K::Panel, {0, 0, 752, kBarHeight}).Dock(Align::Top),
        button(form_preview::btnWholePage, "Whole page", 4, 72,
               form_preview::on::btnWholePageClick),
        button(form_preview::btnPageWidth, "Page width", 78, 72,
               form_preview::on::btnPageWidthClick),
        button(form_preview::btn100, "100 %", 152, 48, form_preview::on::btn100Click),
        button(form_preview::btnFirst, "|<", 212, 28, form_preview::on::btnFirstClick),
        button(form_preview::btnPrior, "<", 242, 28, form_preview::on::btnPriorClick),
        button(form_preview::btnNext, ">", 272, 28, form_preview::on::btnNextClick),
        button(form_preview::btnLast, ">|", 302, 28, form_preview::on::btnLastClick),
        Component(form_preview::lblPage, K::Label, {340, 8, 170, 16})
            .In(form_preview::PanelBar)
            .Titled("Page 0 of 0"),
        button(form_preview::btnPrint, "Print...", 520, 64, form_preview::on::btnPrintClick),
        button(form_preview::btnClose, "Close", 590, 64, form_preview::on::btnCloseClick),
    };
    return form;
}

LRESULT CALLBACK PagingKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR form) noexcept {
    if (message == WM_KEYDOWN &&
        (wParam == VK_PRIOR || wParam == VK_NEXT || wParam == VK_HOME || wParam == VK_END)) {
        SendMessageA(reinterpret_cast<HWND>(form), kPagingKeyMessage, wParam, 0);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, PagingKeys, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

// The gray area with the page on it, scrolled when the page is taller.
class ReportPageView : public Window {
public:
    explicit ReportPageView(ReportPreview& preview) : preview_(preview) {
        WindowCreation creation;
        creation.ClassName = "Zandrel.ReportPage";
        creation.Style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
        creation.Place = RECT{0, preview.Scale(kBarHeight), 100, 100};
        creation.Parent = preview.Handle();
        CreateHandle(creation);
    }

    void Reset() {
        scrollY_ = 0;
        scrollX_ = 0;
        Update();
    }

    // The page's size on the screen at the zoom.
    SIZE PageSize() const {
        RECT client{};
        GetClientRect(Handle(), &client);
        const double perMm = preview_.Scaling().Dpi() / 25.4;
        const report::PageSetup& paper = preview_.Paper();
        const double width = paper.Width * perMm;
        const double height = paper.Height * perMm;
        const int gap = preview_.Scale(kGap);
        double scale = 1.0;
        switch (preview_.CurrentZoom()) {
        case ReportPreview::Zoom::WholePage:
            scale = std::min((client.right - 2 * gap) / width, (client.bottom - 2 * gap) / height);
            break;
        case ReportPreview::Zoom::PageWidth:
            scale = (client.right - 2 * gap) / width;
            break;
        case ReportPreview::Zoom::Actual:
            break;
        }
        scale = std::max(scale, 0.05);
        return SIZE{std::lround(width * scale), std::lround(height * scale)};
    }

    void Update() {
        RECT client{};
        GetClientRect(Handle(), &client);
        const SIZE page = PageSize();
        const int gap = preview_.Scale(kGap);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        info.nMax = page.cy + 2 * gap;
        info.nPage = static_cast<UINT>(client.bottom + 1);
        scrollY_ = std::clamp(scrollY_, 0, std::max(0, int(info.nMax - client.bottom)));
        info.nPos = scrollY_;
        SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
        info.nMax = page.cx + 2 * gap;
        info.nPage = static_cast<UINT>(client.right + 1);
        scrollX_ = std::clamp(scrollX_, 0, std::max(0, int(info.nMax - client.right)));
        info.nPos = scrollX_;
        SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
        InvalidateRect(Handle(), nullptr, FALSE);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintDc paint(Handle());
            Paint(paint.Get());
            return 0;
        }
        case WM_SIZE:
            Update();
            return 0;
        case WM_VSCROLL:
            Scroll(SB_VERT, LOWORD(wParam), scrollY_);
            return 0;
        case WM_HSCROLL:
            Scroll(SB_HORZ, LOWORD(wParam), scrollX_);
            return 0;
        case WM_MOUSEWHEEL:
            scrollY_ -= GET_WHEEL_DELTA_WPARAM(wParam) / 2;
            Update();
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(Handle());
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                scrollY_ += wParam == VK_UP ? -40 : 40;
                Update();
                return 0;
            }
            break;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

private:
    void Scroll(int bar, WORD request, int& position) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), bar, &info);
        switch (request) {
        case SB_LINEUP:
            position -= 20;
            break;
        case SB_LINEDOWN:
            position += 20;
            break;
        case SB_PAGEUP:
            position -= int(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += int(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        default:
            break;
        }
        Update();
    }

    // Drawn off the screen first, so that nothing flickers; straight onto
    // the screen when the system has no room for the picture off it.
    void Paint(HDC target) {
        RECT client{};
        GetClientRect(Handle(), &client);
        const MemoryDc memory(target);
        const BitmapHandle bitmap(memory ? CreateCompatibleBitmap(target,
                                                                  std::max<LONG>(1, client.right),
                                                                  std::max<LONG>(1, client.bottom))
                                         : nullptr);
        if (!bitmap) {
            PaintOn(target, client);
            return;
        }
        const Selection selected(memory.Get(), bitmap.get());
        PaintOn(memory.Get(), client);
        BitBlt(target, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }

    // The gray, the page's shadow and the page; a page that cannot be made
    // shows why on its paper.
    void PaintOn(HDC dc, RECT client) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
        if (preview_.PageCount() > 0) {
            const SIZE page = PageSize();
            const int gap = preview_.Scale(kGap);
            const int left = std::max(gap, int(client.right - page.cx) / 2) - scrollX_;
            const int top = gap - scrollY_;
            const int shadowOffset = preview_.Scale(4);
            RECT shadow{left + shadowOffset, top + shadowOffset, left + page.cx + shadowOffset,
                        top + page.cy + shadowOffset};
            FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
            RECT paper{left, top, left + page.cx, top + page.cy};
            FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            try {
                if (const HENHMETAFILE image = preview_.PageImage(preview_.CurrentPage())) {
                    PlayEnhMetaFile(dc, image, &paper);
                }
            } catch (const std::exception& error) {
                InflateRect(&paper, -preview_.Scale(kGap), -preview_.Scale(kGap));
                DrawTextA(dc, error.what(), -1, &paper, DT_WORDBREAK | DT_NOPREFIX);
            }
        }
    }

    ReportPreview& preview_;
    int scrollY_ = 0;
    int scrollX_ = 0;
};

const FormDescription& ReportPreviewDescription() {
    static const FormDescription description = PreviewDesign();
    return description;
}

ReportPreview::ReportPreview(Report& report) : Form(ReportPreviewDescription()), report_(report) {
    Bind(form_preview::on::FormCreate, WhileModal::Runs, &ReportPreview::FormCreate);
    Bind(form_preview::on::FormClose, WhileModal::Runs, &ReportPreview::FormClose);
    Bind(form_preview::on::btnWholePageClick, WhileModal::Runs, &ReportPreview::btnWholePageClick);
    Bind(form_preview::on::btnPageWidthClick, WhileModal::Runs, &ReportPreview::btnPageWidthClick);
    Bind(form_preview::on::btn100Click, WhileModal::Runs, &ReportPreview::btn100Click);
    Bind(form_preview::on::btnFirstClick, WhileModal::Runs, &ReportPreview::btnFirstClick);
    Bind(form_preview::on::btnPriorClick, WhileModal::Runs, &ReportPreview::btnPriorClick);
    Bind(form_preview::on::btnNextClick, WhileModal::Runs, &ReportPreview::btnNextClick);
    Bind(form_preview::on::btnLastClick, WhileModal::Runs, &ReportPreview::btnLastClick);
    Bind(form_preview::on::btnPrintClick, WhileModal::Runs, &ReportPreview::btnPrintClick);
    Bind(form_preview::on::btnCloseClick, WhileModal::Runs, &ReportPreview::btnCloseClick);
    Create(false);
}

ReportPreview::~ReportPreview() = default;

HWND ReportPreview::View() const {
    return view_ ? view_->Handle() : nullptr;
}

void ReportPreview::FormCreate(Event&) {
    view_ = std::make_unique<ReportPageView>(*this);
    PlaceView();
    // The first page shows as soon as it is produced; the rest follows from a
    // timer, on this thread, between the user's messages.
    report_.ProduceUntil(1);
    if (!report_.Finished()) {
        SetTimer(Handle(), kProduceTimer, 0, nullptr);
    }
    UpdateStatus();
    WatchPagingKeys();
}

// Last of the creation: without the keys the preview still works by its buttons.
void ReportPreview::WatchPagingKeys() {
    const auto watch = [this](HWND window) {
        if (!SetWindowSubclass(window, PagingKeys, kKeySubclass,
                               reinterpret_cast<DWORD_PTR>(Handle()))) {
            throw SystemError("Cannot watch the paging keys of the preview", "SetWindowSubclass");
        }
    };
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        watch(child);
        for (HWND inner = GetWindow(child, GW_CHILD); inner;
             inner = GetWindow(inner, GW_HWNDNEXT)) {
            watch(inner);
        }
    }
}

// Under the bar, filling the rest of the window.
void ReportPreview::PlaceView() {
    if (!view_) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const int bar = Scale(kBarHeight);
    MoveWindow(view_->Handle(), 0, bar, client.right, client.bottom - bar, TRUE);
}

void ReportPreview::DpiChanged() {
    PlaceView();
    if (view_) {
        view_->Update();
    }
}

void ReportPreview::FormClose(Event& event) {
    if (printing_) {
        cancelPrint_ = true;
        event.Action = CloseAction::None;
        return;
    }
    KillTimer(Handle(), kProduceTimer);
    event.Action = CloseAction::Hide;
}

void ReportPreview::ProduceMore() {
    const std::size_t before = report_.PageCount();
    report_.ProduceSome(25);
    if (report_.Finished()) {
        KillTimer(Handle(), kProduceTimer);
    }
    if (report_.PageCount() != before || report_.Finished()) {
        UpdateStatus();
    }
}

void ReportPreview::UpdateStatus() {
    const std::size_t count = report_.PageCount();
    if (count > 0 && page_ >= count) {
        page_ = count - 1;
    }
    std::string text = "Page " + std::to_string(count == 0 ? 0 : page_ + 1) + " of " +
                       std::to_string(count) + (report_.Finished() ? "" : "...");
    if (Find(form_preview::lblPage).Text() != text) {
        Find(form_preview::lblPage).SetText(text);
    }
    Find(form_preview::btnFirst).SetEnabled(page_ > 0);
    Find(form_preview::btnPrior).SetEnabled(page_ > 0);
    Find(form_preview::btnNext).SetEnabled(page_ + 1 < count);
    Find(form_preview::btnLast).SetEnabled(page_ + 1 < count);
}

HENHMETAFILE ReportPreview::PageImage(std::size_t page) {
    if (page >= report_.PageCount()) {
        return nullptr;
    }
    if (images_.size() <= page) {
        images_.resize(page + 1);
    }
    if (!images_[page]) {
        images_[page] = report_.PageMetafile(page);
    }
    return images_[page].get();
}

void ReportPreview::ShowPage(std::size_t page) {
    if (page > 0 && page >= report_.PageCount() && !report_.Finished()) {
        report_.ProduceUntil(page + 1);
    }
    const std::size_t count = report_.PageCount();
    page_ = count == 0 ? 0 : std::min(page, count - 1);
    UpdateStatus();
    if (view_) {
        view_->Reset();
    }
}

void ReportPreview::SetZoom(Zoom zoom) {
    zoom_ = zoom;
    if (view_) {
        view_->Update();
    }
}

bool ReportPreview::PagingKey(WPARAM key) {
    switch (key) {
    case VK_PRIOR:
        ShowPage(page_ == 0 ? 0 : page_ - 1);
        return true;
    case VK_NEXT:
        ShowPage(page_ + 1);
        return true;
    case VK_HOME:
        ShowPage(0);
        return true;
    case VK_END:
        report_.ProduceAll();
        ShowPage(report_.PageCount());
        return true;
    default:
        return false;
    }
}

void ReportPreview::btnWholePageClick(Event&) {
    SetZoom(Zoom::WholePage);
}
void ReportPreview::btnPageWidthClick(Event&) {
    SetZoom(Zoom::PageWidth);
}
void ReportPreview::btn100Click(Event&) {
    SetZoom(Zoom::Actual);
}
void ReportPreview::btnFirstClick(Event&) {
    PagingKey(VK_HOME);
}
void ReportPreview::btnPriorClick(Event&) {
    PagingKey(VK_PRIOR);
}
void ReportPreview::btnNextClick(Event&) {
    PagingKey(VK_NEXT);
}
void ReportPreview::btnLastClick(Event&) {
    PagingKey(VK_END);
}
void ReportPreview::btnCloseClick(Event&) {
    Close();
}

void ReportPreview::btnPrintClick(Event&) {
    if (printing_) {
        cancelPrint_ = true; // the button reads "Cancel" while printing
        return;
    }
    PrintReport();
}

ReportPreview::PrintOutcome ReportPreview::PrintReport() {
    const std::optional<PrinterChoice> printer = App().Env().ChoosePrinter();
    if (!printer) {
        return PrintOutcome::NotChosen;
    }
    PrintOutcome outcome = PrintOutcome::Failed;
    std::string failure;
    try {
        outcome = PrintPages(*printer) ? PrintOutcome::Printed : PrintOutcome::Cancelled;
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (outcome == PrintOutcome::Printed) {
        ++prints_;
    }
    if (!report_.Finished()) {
        SetTimer(Handle(), kProduceTimer, 0, nullptr); // failed before it produced the pages
    }
    page_ = std::min(page_, report_.PageCount() == 0 ? 0 : report_.PageCount() - 1);
    UpdateStatus();
    if (view_) {
        view_->Update();
    }
    if (outcome == PrintOutcome::Failed) {
        App().ReportError("The " + report_.Name + " was not printed on " + printer->Name + ".\n" +
                          failure);
    }
    return outcome;
}

bool ReportPreview::PrintPages(const PrinterChoice& printer) {
    KillTimer(Handle(), kProduceTimer);
    printing_ = true;
    cancelPrint_ = false;
    Control& button = Find(form_preview::btnPrint);
    button.SetText("Cancel");
    struct Restore {
        ReportPreview& preview;
        Control& button;
        ~Restore() {
            preview.printing_ = false;
            button.SetText("Print...");
        }
    } restore{*this, button};
    images_.clear();
    // Produced again from the start, on this thread: the progress shows in
    // the page label, and the messages between pages let Cancel and Esc in.
    return report_.Print(printer, App().Env(), [this](std::size_t done, std::size_t pages) {
        Find(form_preview::lblPage)
            .SetText("Printing page " + std::to_string(done) + " of " + std::to_string(pages));
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(int(message.wParam));
                return false;
            }
            App().ProcessMessage(message);
        }
        return !cancelPrint_;
    });
}

LRESULT ReportPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kProduceTimer) {
            App().Guard([&] { ProduceMore(); });
            return 0;
        }
        break;
    case kPagingKeyMessage:
        App().Guard([&] { PagingKey(wParam); });
        return 0;
    case WM_SIZE: {
        const LRESULT result = Form::HandleMessage(message, wParam, lParam);
        PlaceView();
        return result;
    }
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void Report::Preview() {
    Prepare(App().Env());
    ReportPreview preview(*this);
    preview.ShowModal();
}

} // namespace zandrel
