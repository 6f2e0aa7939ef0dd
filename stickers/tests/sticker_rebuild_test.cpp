// Rebuilds keep the windows that still show a sticker: whatever the edits
// and the user did before, the set on the screen after a rebuild is the one
// that building it from nothing shows. Random sequences of edits and user
// actions, each rebuild held against a set built afresh from the same list;
// a failure prints the seed (ZANDREL_SEED=N runs that sequence again).
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "resources/resource_names.h"
#include "stickers/sticker_board.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <list>
#include <random>
#include <sstream>

namespace zandrel::testing {
namespace {

constexpr TDateTime kSecond = 1.0 / 86400;

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Wine does not count them for GetGuiResources: every live object answers
// GetObjectType at its slot of the handle table.
int GdiObjects() {
    int count = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    }
    return count;
}

std::string RegionOf(HWND window) {
    const RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.get()) == ERROR) {
        return "none";
    }
    std::string bytes(GetRegionData(region.get(), 0, nullptr), '\0');
    GetRegionData(region.get(), DWORD(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
    return std::to_string(std::hash<std::string>{}(bytes));
}

// The stacking of this thread's windows as the program and the test ask for
// it, followed through the messages the windows get: a new window goes on
// top, a window moves where each repositioning that changes the order puts
// it. Wine's own list also moves a window up when the X server reports an
// exposure that a later raise has made stale, which the display does not
// show; only raises reach the display, and the program only raises.
class Stacking {
public:
    Stacking() : hook_(SetWindowsHookExA(WH_CALLWNDPROC, Track, nullptr, GetCurrentThreadId())) {
        current_ = this;
    }
    ~Stacking() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    Stacking(const Stacking&) = delete;
    Stacking& operator=(const Stacking&) = delete;

    // Top first: the windows that show, stay-on-top ones aside.
    std::vector<HWND> Visible() const {
        std::vector<HWND> visible;
        for (const HWND window : order_) {
            if (IsWindowVisible(window) && !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
                visible.push_back(window);
            }
        }
        return visible;
    }

private:
    static LRESULT CALLBACK Track(int code, WPARAM wParam, LPARAM lParam) {
        const auto& message = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ &&
            !(GetWindowLongA(message.hwnd, GWL_STYLE) & WS_CHILD)) {
            std::list<HWND>& order = current_->order_;
            if (message.message == WM_NCCREATE) {
                order.push_front(message.hwnd);
            } else if (message.message == WM_DESTROY) {
                order.remove(message.hwnd);
            } else if (message.message == WM_WINDOWPOSCHANGED) {
                const auto& place = *reinterpret_cast<const WINDOWPOS*>(message.lParam);
                if (!(place.flags & SWP_NOZORDER)) {
                    order.remove(message.hwnd);
                    const auto after = std::find(order.begin(), order.end(), place.hwndInsertAfter);
                    order.insert(place.hwndInsertAfter == HWND_BOTTOM ? order.end()
                                 : after == order.end()               ? order.begin()
                                                                      : std::next(after),
                                 message.hwnd);
                }
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
    std::list<HWND> order_;
    static inline Stacking* current_ = nullptr;
};

const char* const kTexts[] = {
    "{\\rtf1 short note}",
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 a longer note\\par with\\par many\\par lines"
    "\\par to\\par scroll\\par through\\par and\\par more\\par lines\\par still\\par going\\par}",
    "plain text of an old record",
    "",
    "{\\rtf1 {\\b bold} words}",
};

class StickerRebuildTest : public ::testing::Test {
protected:
    const Stacking stacking_; // first: it sees every window made
    StickerRebuildTest() {
        TestEnvironment().Reset();
        TFormMemo::LeftButtonDown = [this] { return buttonDown_; };
        other_.reset(CreateWindowExA(0, "STATIC", "another program",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 400, 300, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr));
        for (const char* name :
             {res::kBitmapPin, res::kBitmapPinRed, res::kBitmapBanner, res::kBitmapBannerRed}) {
            bitmaps_.emplace_back(static_cast<HBITMAP>(
                LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0)));
        }
        const char* seed = std::getenv("ZANDREL_SEED");
        seed_ = seed ? unsigned(std::strtoul(seed, nullptr, 10)) : std::random_device{}();
        random_.seed(seed_);
    }
    ~StickerRebuildTest() override {
        board_.DestroyAll();
        TFormMemo::LeftButtonDown = [] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; };
    }

    StickerPictures Pictures() const {
        return {bitmaps_[0].get(), bitmaps_[1].get(), bitmaps_[2].get(), bitmaps_[3].get()};
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool OneIn(int n) { return Pick(n) == 0; }

    // What the user sees of a set: every sticker in the set's order, the
    // links of the messages, the stacking of what shows, and where the
    // rebuild left the current message.
    std::string Look(const StickerBoard& board) const {
        std::ostringstream look;
        for (const auto& sticker : board.Stickers()) {
            const HWND window = sticker->Handle();
            look << "[" << sticker->Name() << "] ";
            if (!window) {
                look << "closed\n";
                continue;
            }
            look << "colour " << sticker->Color() << " text \"" << PlainText(sticker->RichEdit1())
                 << "\"";
            if (sticker->Visible()) {
                const RECT rect = sticker->ScreenRect();
                CHARRANGE selection{};
                SendMessageA(sticker->RichEdit1(), EM_EXGETSEL, 0, LPARAM(&selection));
                POINT scroll{};
                SendMessageA(sticker->RichEdit1(), EM_GETSCROLLPOS, 0, LPARAM(&scroll));
                int numerator = 0;
                int denominator = 0;
                SendMessageA(sticker->RichEdit1(), EM_GETZOOM, WPARAM(&numerator),
                             LPARAM(&denominator));
                look << " at " << rect.left << "," << rect.top << " " << rect.right - rect.left
                     << "x" << rect.bottom - rect.top << " region " << RegionOf(window)
                     << " selection " << selection.cpMin << "-" << selection.cpMax << " scroll "
                     << scroll.x << "," << scroll.y << " zoom " << numerator << "/" << denominator
                     << " ready " << sticker->HitReady << " last " << sticker->LastMouseX << ","
                     << sticker->LastMouseY << " captured " << (GetCapture() == window);
            } else {
                look << " hidden";
            }
            look << "\n";
        }
        look << "links";
        for (std::size_t i = 0; i < list_.Count(); ++i) {
            const TFormMemo* linked = nullptr;
            for (const auto& sticker : board.Stickers()) {
                if (sticker->Handle() && list_.Entry(i).StickerHandle ==
                                             reinterpret_cast<std::uintptr_t>(sticker->Handle())) {
                    linked = sticker.get();
                }
            }
            look << " " << (linked ? linked->Name() : "-");
        }
        look << "\nstacking";
        bool others = false; // another window above one of the set's
        for (const HWND window : stacking_.Visible()) {
            const auto& set = board.Stickers();
            const auto it = std::find_if(set.begin(), set.end(), [&](const auto& sticker) {
                return sticker->Handle() == window;
            });
            if (it == set.end()) {
                others = true;
            } else {
                look << " [" << (*it)->Name() << "]" << (others ? " under another window" : "");
            }
        }
        look << "\nactive ";
        const auto& set = board.Stickers();
        const auto active = std::find_if(set.begin(), set.end(), [](const auto& sticker) {
            return sticker->Handle() && sticker->Handle() == GetActiveWindow();
        });
        look << (active == set.end() ? "elsewhere" : "[" + (*active)->Name() + "]");
        look << "\ncurrent " << list_.CurrentIndex << "\n";
        return look.str();
    }

    // Built from nothing, seen, and gone again; the messages' links are
    // given back to the set under test.
    std::string FullRebuild() {
        std::vector<std::uintptr_t> links;
        for (std::size_t i = 0; i < list_.Count(); ++i) {
            links.push_back(list_.Entry(i).StickerHandle);
        }
        StickerBoard fresh{StickerHost{
            [this] { return &list_; }, [this] { return other_.get(); }, [] {}, {}, {}, {}, {}}};
        fresh.Rebuild(expanded_, Pictures());
        std::string look = Look(fresh);
        fresh.DestroyAll();
        PumpMessages();
        for (std::size_t i = 0; i < list_.Count(); ++i) {
            list_.Entry(i).StickerHandle = links[i];
        }
        return look;
    }

    // The keys that a full rebuild now mails: every started message with a
    // pending notification.
    std::vector<std::string> DueMails() const {
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < list_.Count(); ++i) {
            const TMessageEntry& entry = list_.Entry(i);
            if (TestEnvironment().now > entry.Record.StartDate && entry.Notify >= 1) {
                keys.push_back(entry.Key);
            }
        }
        return keys;
    }

    // The stacking is seen before the thread's messages run: Wine moves a
    // window up its list on an exposure that the X server reported before a
    // later raise, and the display keeps the raised order meanwhile.
    void Rebuild() {
        mailed_.clear();
        dueMails_ = DueMails();
        board_.Rebuild(expanded_, Pictures());
        if (compare_) {
            look_ = Look(board_);
        }
        PumpMessages();
    }

    // What New, Add and Replace put into a message, without the files:
    // random moments around now, a text, now and then a notification; Keys
    // now and then the same as another message's.
    std::unique_ptr<TMessageEntry> NewEntry() {
        auto entry = std::make_unique<TMessageEntry>(TestEnvironment(), "");
        entry->RichText = kTexts[Pick(5)];
        entry->Key = list_.Empty() || !OneIn(6) ? "key " + std::to_string(keys_++)
                                                : list_.Key(std::size_t(Pick(int(list_.Count()))));
        return entry;
    }
    void Fill(TMessageEntry& entry) {
        const TDateTime now = TestEnvironment().now;
        const TDateTime starts[] = {now - 1, now - 10 * kSecond, now + 10 * kSecond,
                                    now + 70 * kSecond};
        const TDateTime alarms[] = {-5 * kSecond, 30 * kSecond, 1};
        entry.SetStartDate(starts[Pick(4)]);
        entry.SetAlarmDate(entry.Record.StartDate + alarms[Pick(3)]);
        entry.RichText = kTexts[Pick(5)];
        entry.Notify = OneIn(4);
    }

    // A sticker of the set under test that shows, the placeholder aside.
    TFormMemo* ShownSticker() {
        std::vector<TFormMemo*> shown;
        for (std::size_t i = 1; i < board_.Stickers().size(); ++i) {
            TFormMemo* sticker = board_.Stickers()[i].get();
            if (sticker->Handle() && sticker->Visible()) {
                shown.push_back(sticker);
            }
        }
        return shown.empty() ? nullptr : shown[std::size_t(Pick(int(shown.size())))];
    }

    void Press(TFormMemo& sticker, int x, int y) {
        SendMessageA(sticker.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        buttonDown_ = true;
        if (SendMessageA(sticker.Handle(), WM_NCHITTEST, 0, 0) == HTCLIENT) {
            SendMessageA(sticker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        }
    }
    void Release(TFormMemo& sticker) {
        buttonDown_ = false;
        SendMessageA(sticker.Handle(), WM_LBUTTONUP, 0, 0);
    }

    // One edit that rebuilds, or one thing the user does between rebuilds;
    // true when it rebuilt.
    bool Step() {
        FakeEnvironment& env = TestEnvironment();
        if (selectAfterwards_) { // Replace selects its message after the rebuild
            list_.SelectKey(*std::exchange(selectAfterwards_, std::nullopt));
        }
        env.now += 0.001 * kSecond * (1 + Pick(3)); // the Keys of Add differ, mostly
        const int count = int(list_.Count());
        switch (count >= 12 && OneIn(2) ? 4 : Pick(14)) {
        case 0: // New
            list_.Append(NewEntry());
            break;
        case 1: // Add
        case 2: {
            std::unique_ptr<TMessageEntry> entry = NewEntry();
            Fill(*entry);
            list_.Append(std::move(entry));
            break;
        }
        case 3: { // Replace
            if (!count) {
                return false;
            }
            const std::size_t index = std::size_t(Pick(count));
            std::unique_ptr<TMessageEntry> copy = list_.Entry(index).Clone();
            Fill(*copy);
            selectAfterwards_ = copy->Key;
            list_.ReplaceAt(index, std::move(copy));
            break;
        }
        case 4:
            list_.CurrentIndex = Pick(count + 1); // past the end: nothing goes
            list_.Delete();
            break;
        case 5:
            expanded_ = !expanded_;
            break;
        case 6: { // the timer, at the next moment a sticker comes or turns red
            TDateTime next = env.now + 20 * kSecond;
            for (std::size_t i = 0; i < list_.Count(); ++i) {
                for (const TDateTime moment :
                     {list_.Entry(i).Record.StartDate, list_.Entry(i).Record.AlarmDate}) {
                    if (moment >= env.now && moment < next) {
                        next = moment;
                    }
                }
            }
            env.now = next + 0.5 * kSecond;
            break;
        }
        case 7: // Refresh
            break;
        case 8:
            if (TFormMemo* sticker = ShownSticker()) {
                const int left = Pick(1100) - 50;
                const int top = Pick(800) - 20;
                Press(*sticker, 60, 30);
                SendMessageA(sticker->Handle(), WM_ENTERSIZEMOVE, 0, 0);
                SetWindowPos(sticker->Handle(), nullptr, left, top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                SendMessageA(sticker->Handle(), WM_EXITSIZEMOVE, 0, 0);
                buttonDown_ = false;
                SendMessageA(sticker->Handle(), WM_NCLBUTTONUP, HTCAPTION, 0);
            }
            return false;
        case 9:
            if (count) {
                TMessageEntry& entry = list_.Entry(std::size_t(Pick(count)));
                entry.SetKeepHidden(!entry.Record.KeepHidden);
            }
            return false;
        case 10: { // closed; now and then the placeholder
            const auto& set = board_.Stickers();
            TFormMemo* sticker = OneIn(8) && !set.empty() ? set.front().get() : ShownSticker();
            if (sticker && sticker->Handle()) {
                SendMessageA(sticker->Handle(), WM_CLOSE, 0, 0);
            }
            return false;
        }
        case 11: // rolled up or down with the pin, held down or let go
            if (TFormMemo* sticker = ShownSticker()) {
                Press(*sticker, 5, 5);
                if (OneIn(2)) {
                    Release(*sticker);
                }
            }
            return false;
        case 12: // the text scrolled, selected, zoomed; the pointer over it
            if (TFormMemo* sticker = ShownSticker()) {
                const HWND text = sticker->RichEdit1();
                SendMessageA(text, EM_SETSEL, Pick(5), 3 + Pick(20));
                POINT scroll{0, Pick(60)};
                SendMessageA(text, EM_SETSCROLLPOS, 0, LPARAM(&scroll));
                if (OneIn(2)) {
                    SendMessageA(text, EM_SETZOOM, 3, 2);
                }
                SendMessageA(sticker->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(Pick(200), Pick(60)));
            }
            return false;
        case 13: { // a sticker or the other program clicked: raised, and active
            TFormMemo* sticker = OneIn(2) ? ShownSticker() : nullptr;
            const HWND window = sticker ? sticker->Handle() : other_.get();
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            SetForegroundWindow(window);
            return false;
        }
        }
        Rebuild();
        return true;
    }

    MessageList list_;
    int keys_ = 0;
    WindowHandle other_;
    std::vector<BitmapHandle> bitmaps_;
    unsigned seed_ = 0;
    std::mt19937 random_;
    bool expanded_ = true;
    std::optional<std::string> selectAfterwards_;
    bool buttonDown_ = false;
    std::vector<std::string> mailed_;
    std::vector<std::string> dueMails_;
    bool compare_ = false;
    std::string look_; // of the last rebuild
    StickerBoard board_{StickerHost{[this] { return &list_; },
                                    [this] { return other_.get(); },
                                    [] {},
                                    {},
                                    [this](TMessageEntry& entry) {
                                        if (entry.Notify >= 1) {
                                            entry.Notify = 0;
                                            mailed_.push_back(entry.Key);
                                        }
                                    },
                                    {},
                                    {}}};
};

TEST_F(StickerRebuildTest, EveryRebuildShowsWhatBuildingFromNothingShows) {
    SCOPED_TRACE("ZANDREL_SEED=" + std::to_string(seed_));
    compare_ = true;
    for (int step = 0, rebuilds = 0; rebuilds < 60; ++step) {
        if (!Step()) {
            continue;
        }
        ++rebuilds;
        ASSERT_EQ(mailed_, dueMails_) << "step " << step;
        ASSERT_EQ(look_, FullRebuild()) << "step " << step;
    }
}

TEST_F(StickerRebuildTest, AThousandEditsLeaveTheCountsFlat) {
    SCOPED_TRACE("ZANDREL_SEED=" + std::to_string(seed_));
    auto clear = [&] {
        while (!list_.Empty()) {
            list_.CurrentIndex = 0;
            list_.Delete();
        }
        Rebuild();
    };
    // The system keeps the drawing contexts of up to 32 windows that have
    // painted: they are all taken before the counts are read.
    for (int i = 0; i < 20; ++i) {
        list_.Append(NewEntry());
    }
    TestEnvironment().now += kSecond;
    Rebuild();
    clear();
    const int windows = ThreadWindows();
    const int objects = GdiObjects();
    for (int rebuilds = 0; rebuilds < 1000;) {
        rebuilds += Step();
    }
    clear();
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_EQ(GdiObjects(), objects);
}

// Destroying the active sticker hands the activation on; a kept one hands it
// on the same way.
TEST_F(StickerRebuildTest, AnActiveStickerHandsOnTheActivationAsDestroyingItWould) {
    for (int i = 0; i < 3; ++i) {
        list_.Append(NewEntry());
    }
    TestEnvironment().now += kSecond;
    Rebuild();
    for (const bool fromNothing : {true, false}) {
        SetForegroundWindow(board_.Stickers()[2]->Handle());
        ASSERT_EQ(GetActiveWindow(), board_.Stickers()[2]->Handle());
        if (fromNothing) {
            board_.DestroyAll();
        }
        Rebuild();
        EXPECT_EQ(GetActiveWindow(), other_.get()) << fromNothing;
        EXPECT_EQ(GetForegroundWindow(), other_.get()) << fromNothing;
    }
}

} // namespace
} // namespace zandrel::testing
