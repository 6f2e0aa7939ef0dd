#pragma once
// The sticker window: one message's formatted text in a note-shaped window
// with a pin, a banner and a folded corner. The user drags it by its surface,
// rolls it up and down with the pin, opens the program's web page at the
// folded corner and double-clicks it to edit its message.
#include "framework/application.h"
#include "framework/form.h"
#include "framework/system_error.h"
#include "stickers/core/sticker_cascade.h"
#include "stickers/sticker_gdi.h"
#include "storage/core/message_list.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zandrel {

// The framework's clYellow and clRed (red in the low byte, as COLORREF).
inline constexpr COLORREF kStickerYellow = 0x00FFFF;
inline constexpr COLORREF kStickerRed = 0x0000FF;

// The four sticker pictures at one picture scale.
struct StickerPictureSet {
    HBITMAP Pin = nullptr;
    HBITMAP PinRed = nullptr;
    HBITMAP Banner = nullptr;
    HBITMAP BannerRed = nullptr;

    friend bool operator==(const StickerPictureSet&, const StickerPictureSet&) = default;
};

// The four at 100 % and, where loaded, at 150 and 200 %; the main window owns
// them. A sticker draws the set nearest to its DPI, scaled to its size.
struct StickerPictures : StickerPictureSet {
    StickerPictures() = default;
    StickerPictures(HBITMAP pin, HBITMAP pinRed, HBITMAP banner, HBITMAP bannerRed)
        : StickerPictureSet{pin, pinRed, banner, bannerRed} {}

    StickerPictureSet At150;
    StickerPictureSet At200;
    const StickerPictureSet& For(DpiScale scale) const;

    friend bool operator==(const StickerPictures&, const StickerPictures&) = default;
};

// What the stickers reach of the main window, set by name; those noted may
// be left empty.
struct StickerHost {
    // The message list; null while there is none.
    std::function<MessageList*()> Messages{};
    std::function<HWND()> MainWindow{};
    std::function<void()> ShowCurrentMessage{};
    // The main window was brought up from a sticker.
    std::function<void()> MainWindowShown{};
    // A rebuild hands every new sticker's message to it (the pending e-mail
    // notification goes out there); empty: nothing is sent.
    std::function<void(TMessageEntry&)> SendMailNotification{};
    // What the stickers draw; the board sets them at every rebuild.
    StickerPictures Pictures{};
    // A drag has stored where the sticker came to rest in its message: the
    // list is saved there; empty: nothing is saved.
    std::function<void()> PositionStored{};
    // "Done" on a message that does not repeat, at `index` with `key`: the
    // main window asks Delete's question about it; empty: nothing happens.
    std::function<void(std::size_t index, const std::string& key)> DeleteAsked{};
};

// The web page that the folded corner opens.
inline constexpr char HomePageAddress[] = "http://www.keltrune.example/zandrel";

class TFormMemo : public Form {
public:
    // Created hidden, at its final size: width and height at 96 DPI, laid
    // out for the DPI of the monitor it goes to. It draws with the objects
    // of `gdi`, which outlive it. Throws SystemError when the system refuses
    // its window or its text control.
    TFormMemo(const StickerHost& host, StickerGdi& gdi, int width, int height,
              int dpi = kDesignDpi);
    ~TFormMemo() override;

    // Whether the left mouse button is down; GetAsyncKeyState unless a test
    // says otherwise.
    static std::function<bool()> LeftButtonDown;

    int LastMouseX = 0;
    int LastMouseY = 0;
    bool HitReady = false;
    HWND RichEdit1() const { return richEdit_.get(); }

    const std::string& Name() const { return name_; }
    // The component name; the window's caption follows it.
    void SetName(const std::string& name);
    COLORREF Color() const { return color_; }
    bool Red() const { return color_ == kStickerRed; }
    // Replaces the text control's content: RTF, or plain text when it is not.
    void LoadText(std::string_view text);
    // Replaces it with what the message shows (ShownTextOf); the text last
    // loaded is the message's own, as stored.
    void LoadMessage(const TMessageEntry& entry);
    // The text last loaded.
    const std::string& LoadedText() const { return text_; }
    // A rebuild keeps this window: what the user changed since it was made
    // goes back to how a new sticker starts (the pointer state, the mouse
    // capture, given as the window that holds it now, and the text's
    // scrolling, selection and zoom).
    void MakeFresh(HWND capture);

    // Where the window lies in the set's stacking as the rebuilds and the
    // user's raises left it: a higher rank lies above; 0 unknown (new, or
    // moved elsewhere than to the top). Kept apart from the system's list,
    // which Wine also reorders on stale exposures that the display does not
    // show.
    std::uint64_t StackingRank = 0;
    // A rank above every one given so far.
    static std::uint64_t NextStackingRank();

    void FormCreate(Event& event);
    void FormClose(Event& event);
    void FormResize();
    void FormMouseMove(int x, int y);
    void FormMouseUp();
    void FormDblClick(Event& event);
    // What a double-click does, under the same modal rule: the sticker's menu
    // "Edit".
    void DoubleClickCommand();

    void SetStickerColor(COLORREF color);
    void ToggleHeight();
    void OpenHomePage();
    void StorePosition();
    // The end of a drag: where the sticker came to rest goes into its message
    // and the list is saved, unless it rests where the drag began.
    void StoreRestingPlace(ScreenPosition dragStart);

    // The list index of the message linked to this sticker, if any.
    std::optional<std::size_t> LinkedIndex() const;
    int ClientWidth() const;
    int ClientHeight() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    void SetTextFont();
    LRESULT WMNCHitTest();
    // WM_SETCURSOR over the surface: the web cursor over the folded corner,
    // else the arrow. The text answers it with the arrow itself.
    HCURSOR CursorAtPointer() const;
    void Paint(HDC dc);
    void DrawPictures(HDC dc);
    void SetRegion();
    static LRESULT CALLBACK RichEditProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR self) noexcept;

    const StickerHost& host_;
    StickerGdi& gdi_;
    std::string name_;
    std::string text_;
    // The user clicked, scrolled, zoomed or selected in the text since it was
    // loaded.
    bool textTouched_ = false;
    COLORREF color_ = kStickerYellow;
    // The system's move loop of a drag, while it runs, and where it began.
    std::optional<Application::ModalLoop> moveLoop_;
    ScreenPosition dragStart_;
    // A child window: FormClose or this owner destroys it, or it goes with the
    // sticker (its subclass then lets go of the handle).
    WindowHandle richEdit_;
    // Why FormCreate could not set up the text control.
    std::optional<SystemError> textControlRefused_;
};

} // namespace zandrel
