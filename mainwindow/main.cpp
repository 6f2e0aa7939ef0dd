#include "mainwindow/main.h"

#include "alarms/notification_sender.h"
#include "catalog/report.h"
#include "extras/about.h"
#include "extras/core/help_command.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/core/callback_errors.h"
#include "framework/core/monitor_placement.h"
#include "framework/hints/core/hint_text.h"
#include "framework/system_date_time.h"
#include "mainwindow/comune.h"
#include "mainwindow/instance_guard.h"
#include "resources/form_main.h"
#include "resources/resource_names.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zandrel {
namespace {

constexpr int kHandCursorSlot = 52;
constexpr int kOffScreenLeft = -800;
constexpr char kTrayTip[] = "Zandrel: remember your appointmenet";

BitmapHandle LoadBitmapResource(const char* name) {
    BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(App().Instance(), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bitmap) {
        throw std::runtime_error(std::string("Resource ") + name + " not found");
    }
    return bitmap;
}

struct FormEnumeration {
    std::vector<HWND> forms;
    CallbackErrors errors;
};

BOOL CALLBACK AddVisibleForm(HWND window, LPARAM data) {
    auto& found = *reinterpret_cast<FormEnumeration*>(data);
    return found.errors.Run([&] {
        if (IsForm(window) && IsWindowVisible(window)) {
            found.forms.push_back(window);
        }
    });
}

// The program's windows on the screen now: its visible forms.
std::vector<HWND> VisibleForms() {
    FormEnumeration found;
    EnumThreadWindows(GetCurrentThreadId(), AddVisibleForm, reinterpret_cast<LPARAM>(&found));
    found.errors.Rethrow();
    return std::move(found.forms);
}

void BringOntoMonitor(HWND window, const std::vector<MonitorArea>& monitors) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const WindowPlace place{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    if (const auto back = BackOntoMonitor(place, monitors)) {
        SetWindowPos(window, nullptr, back->Left, back->Top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

} // namespace

TFormMain::TFormMain(const MapiLibrary& mapi, std::string dataFileName,
                     RegistrySettingsStore settings)
    : Form(FormMainDescription()), Email1(mapi), dataFileName_(std::move(dataFileName)),
      stickers_(StickerHost{[this] { return MessageList_.get(); },
                            [this] { return Handle(); },
                            [this] { ShowCurrentMessage(); },
                            [this] {
                                standsOffScreen_ = false;
                                InstallHintHook();
                            },
                            [this](TMessageEntry& entry) { SendStickerNotification(entry); },
                            {},
                            [this] { MessageList_->SaveMessages(); }}),
      settings_(std::move(settings)) {
    Email1.SetUseDefProfile(true);
    Bind(form_main::on::FormCreate, &TFormMain::FormCreate);
    Bind(form_main::on::FormClose, &TFormMain::FormClose);
    Bind(form_main::on::FormActivate, &TFormMain::FormActivate);
    Bind(form_main::on::FormDeactivate, &TFormMain::FormDeactivate);
    Bind(form_main::on::Panel1MouseMove, &TFormMain::Panel1MouseMove);
    Bind(form_main::on::Close2Click, &TFormMain::Close2Click);
    Bind(form_main::on::ShutdownClick, &TFormMain::ShutdownClick);
    Bind(form_main::on::Setup1Click, &TFormMain::Setup1Click);
    Bind(form_main::on::BtnRefreshClick, &TFormMain::BtnRefreshClick);
    Bind(form_main::on::sbPrintReportClick, &TFormMain::sbPrintReportClick);
    Bind(form_main::on::Help1Click, &TFormMain::Help1Click);
    Bind(form_main::on::About1Click, &TFormMain::About1Click);
    Bind(form_main::on::ExpandChild, &TFormMain::ExpandChild);
    Bind(form_main::on::Disablesound1Click, &TFormMain::Disablesound1Click);
    Bind(form_main::on::ShowTextClick, &TFormMain::ShowTextClick);
    Bind(form_main::on::ShowHint1Click, &TFormMain::ShowHint1Click);
    Bind(form_main::on::Timer1Timer, &TFormMain::Timer1Timer);
    Bind(form_main::on::cBoxKeepHiddenClick, &TFormMain::cBoxKeepHiddenClick);
    Bind(form_main::on::ToolButton_newMsgClick, &TFormMain::ToolButton_newMsgClick);
    Bind(form_main::on::btnAddClick, &TFormMain::btnAddClick);
    Bind(form_main::on::btnReplaceClick, &TFormMain::btnReplaceClick);
    Bind(form_main::on::btnDeleteClick, &TFormMain::btnDeleteClick);
    Bind(form_main::on::ToolButton3Click, &TFormMain::ToolButton3Click);
    Bind(form_main::on::ToolButton4Click, &TFormMain::ToolButton4Click);
    Bind(form_main::on::sb_newMailClick, &TFormMain::sb_newMailClick);
    Bind(form_main::on::List_AddressDblClick, &TFormMain::List_AddressDblClick);
    formatting_.BindTo(
        [this](const std::string& name, EventHandler handler) { Bind(name, std::move(handler)); });
    Create(true);
}

TFormMain::~TFormMain() {
    RemoveHintHook();
    trayIcon_.Remove();
}

std::string TFormMain::DefaultDataFileName() {
    const std::string path = ExecutablePath();
    return path.substr(0, path.find_last_of("\\/") + 1) + "ZandrelData.dat";
}

// A path that fills the buffer may have been cut: ask again with more room.
std::string TFormMain::ExecutablePath() {
    std::string path(MAX_PATH + 1, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Each step runs on when an earlier one failed: a damaged data file is
// reported, and the user still gets the tray icon, the stickers and the rest.
void TFormMain::FormCreate(Event&) {
    Application& app = App();
    auto step = [&app](auto&& action) { app.Guard(action); };

    step([&] {
        app.Sounds().SetEnabled(true);
        StartupDone = false;
        StickerHeightShort = 70;
        StickerHeightNormal = 140;
    });
    step([&] { LoadSettings(); });
    const HICON icon = LoadIconA(app.Instance(), res::kMainIcon);
    step([&] { SetIcon(icon); });
    step([&] {
        trayIcon_.Fill(Handle(), icon, kTrayTip);
        trayIcon_.Add();
        SetForegroundWindow(Handle());
    });
    step([&] {
        PinBitmap = LoadBitmapResource(res::kBitmapPin);
        BannerBitmap = LoadBitmapResource(res::kBitmapBanner);
        PinRedBitmap = LoadBitmapResource(res::kBitmapPinRed);
        BannerRedBitmap = LoadBitmapResource(res::kBitmapBannerRed);
        std::size_t next = 0;
        for (const char* scale : {"_150", "_200"}) {
            for (const char* name :
                 {res::kBitmapPin, res::kBitmapPinRed, res::kBitmapBanner, res::kBitmapBannerRed}) {
                scaledStickerBitmaps_[next++] =
                    LoadBitmapResource((name + std::string(scale)).c_str());
            }
        }
    });
    step([&] {
        app.SetScreenCursor(kHandCursorSlot, LoadCursorA(app.Instance(), res::kCursorHand));
    });
    step([&] { MessageList_ = std::make_unique<MessageList>(); });
    step([&] {
        CentreOnScreen();
        MoveTo(kOffScreenLeft, ScreenRect().top);
    });
    step([&] { MessageList_->SetDataFileName(dataFileName_); });
    step([&] { MessageList_->LoadMessages(app.Env()); });
    step([&] {
        MessageList_->CurrentIndex = 0;
        ShowCurrentMessage();
    });
    step([&] { RebuildStickers(ChildExpanded); });
    step([&] { ShowWindow(app.Handle(), SW_HIDE); });
    step([&] { InstallHintHook(); });
    step([&] { StartupDone = true; });
    step([&] { RebuildStickers(ChildExpanded); });
    step([&] { FillFontNames(); });
    step([&] { formatting_.UpdatingToolbar = false; });
    step([&] { UpdateStartupShortcut(); });
    step([&] { MessageList_->CurrentIndex = 0; });
}

void TFormMain::FormClose(Event& event) {
    RemoveHintHook();
    if (!ShutdownRequested) {
        event.Action = CloseAction::None;
        ShowWindow(Handle(), SW_HIDE);
        App().Sounds().Play(res::kSoundThrow);
        return;
    }
    trayIcon_.Remove();
    SetForegroundWindow(Handle());
    stickers_.DestroyAll();
    popups_.DestroyAll();
    PinBitmap.reset();
    BannerBitmap.reset();
    PinRedBitmap.reset();
    BannerRedBitmap.reset();
    scaledStickerBitmaps_ = {};
    MessageList_.reset();
    App().Sounds().Play(res::kSoundComplete);
    event.Action = CloseAction::Free;
}

// Shutdown brings the hidden window to the foreground once more; only a
// window the user sees greets them with a sound.
void TFormMain::FormActivate(Event&) {
    Find<ToolBar>(form_main::ToolBar).SetSlotWidth(form_main::FontSize, 40);
    if (IsWindowVisible(Handle()) && !IsIconic(Handle()) && !IsZoomed(Handle())) {
        App().Sounds().Play(res::kSoundRevdn1);
    }
}

void TFormMain::FormDeactivate(Event&) {
    FindTimer(form_main::Timer1).SetEnabled(true);
}

void TFormMain::Panel1MouseMove(Event&) {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void TFormMain::Close2Click(Event&) {
    Close();
}

// Chosen while a box or a dialog is open, Shutdown waits for it to close:
// the handler that opened it still holds the list that Shutdown frees.
void TFormMain::ShutdownClick(Event&) {
    WhenNotModal([this] {
        ShutdownRequested = true;
        Close();
    });
}

void TFormMain::Setup1Click(Event&) {
    ShowMainWindow();
}

void TFormMain::BtnRefreshClick(Event&) {
    if (App().RefuseInModalLoop()) {
        return;
    }
    RebuildStickers(ChildExpanded);
    ShowCurrentMessage();
}

// The catalog of every message in the report's modal preview.
void TFormMain::sbPrintReportClick(Event&) {
    App().Sounds().Play(res::kSoundLaser);
    const auto report = std::make_unique<TQReport1>(*MessageList_);
    RunInsteadOfMainWindow([&] { report->Preview(); });
}

void TFormMain::Help1Click(Event&) {
    App().Sounds().Play(res::kSoundLaser);
    const std::string program = ExecutablePath();
    OpenProgramHelp(App().Env(), App().HelpFile(),
                    program.substr(0, program.find_last_of("\\/") + 1));
}

void TFormMain::About1Click(Event&) {
    App().Sounds().Play(res::kSoundLaser);
    TFormAbout about;
    RunInsteadOfMainWindow([&] { about.ShowModal(); });
}

// The main window stays hidden while `run` shows its own window, and comes
// back afterwards however that ended, also when it was in the tray before:
// where it was, or centred when it lay off every screen (as it does from
// the start until the tray first shows it).
void TFormMain::RunInsteadOfMainWindow(const std::function<void()>& run) {
    ShowWindow(Handle(), SW_HIDE);
    struct ShowAgain {
        TFormMain& form;
        ~ShowAgain() {
            if (!MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTONULL)) {
                form.CentreOnScreen();
            }
            form.standsOffScreen_ = false;
            ShowWindow(form.Handle(), SW_SHOW);
            form.InstallHintHook();
        }
    } showAgain{*this};
    run();
}

// Ignored while the window is being created: the stickers are built later.
void TFormMain::ExpandChild(Event&) {
    if (!StartupDone || App().RefuseInModalLoop()) {
        return;
    }
    TogglePreference(Preference::ChildHeight, ChildExpanded, settings_, *this);
    RebuildStickers(ChildExpanded);
    ShowCurrentMessage();
}

void TFormMain::Disablesound1Click(Event&) {
    TogglePreference(Preference::Sound, App().Sounds().Enabled(), settings_, *this);
}

void TFormMain::ShowTextClick(Event&) {
    TogglePreference(Preference::ToolbarCaptions, Find<ToolBar>(form_main::ToolBar1).ShowCaptions(),
                     settings_, *this);
}

void TFormMain::ShowHint1Click(Event&) {
    TogglePreference(Preference::Hint, ShowHint(), settings_, *this);
}

void TFormMain::Timer1Timer(Event&) {
    if (busy_.IsBusy() || !MessageList_) {
        return;
    }
    const BusyMark::Hold busy(busy_);
    TimerTickActions actions;
    // A message deleted from a dialog's loop during this tick is never due.
    actions.Message = [this](int index) {
        return std::size_t(index) < MessageList_->Count()
                   ? TimerSourceOf(MessageList_->Entry(index))
                   : TimerSource{};
    };
    actions.RebuildDue = [this](int) {
        RebuildStickers(ChildExpanded);
        App().Sounds().Play(res::kSoundDing);
        ShowCurrentMessage();
    };
    actions.OpenWarning = [this](int index) {
        popups_.Open(MessageList_->Entry(std::size_t(index)), PopupCount);
    };
    actions.Looked = [this](int index, TDateTime moment) {
        if (std::size_t(index) < MessageList_->Count()) {
            MessageList_->Entry(std::size_t(index)).TimerLook = moment;
        }
    };
    RunTimerTick(int(MessageList_->Count()), int(FindTimer(form_main::Timer1).Interval()),
                 App().Env(), actions);
}

void TFormMain::ShowAppHint() {
    Find<StatusBar>(form_main::StatusBar1).SetPanelText(2, GetLongHint(App().Hint()));
}

void TFormMain::TrayIconMessage(LPARAM mouseEvent) {
    switch (mouseEvent) {
    case WM_RBUTTONDOWN: {
        POINT cursor{};
        GetCursorPos(&cursor);
        SetForegroundWindow(Handle());
        FindMenu(form_main::PopupMenu1).Popup(Handle(), cursor);
        break;
    }
    case WM_LBUTTONDBLCLK:
        ShowMainWindow();
        break;
    default:
        break;
    }
}

void TFormMain::ShowAtStart() {
    ShowWindow(Handle(), SW_SHOW);
}

// The hint hook goes back in on every show: Close took it out.
void TFormMain::ShowMainWindow() {
    if (App().RefuseInModalLoop()) {
        return;
    }
    CentreOnScreen();
    standsOffScreen_ = false;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    InstallHintHook();
}

void TFormMain::DisplayChanged() {
    const std::vector<MonitorArea> monitors = App().Env().Monitors();
    for (const HWND form : VisibleForms()) {
        const bool sticker = dynamic_cast<TFormMemo*>(Window::FromHandle(form)) != nullptr;
        if (!sticker && !(form == Handle() && standsOffScreen_)) {
            BringOntoMonitor(form, monitors);
        }
    }
    if (StartupDone && MessageList_) {
        RebuildStickers(ChildExpanded);
    }
}

void TFormMain::LoadSettings() {
    zandrel::LoadSettings(settings_, *this, App().Env());
}

void TFormMain::SetChildExpanded(bool expanded) {
    ChildExpanded = expanded;
}

void TFormMain::SetSoundEnabled(bool on) {
    App().Sounds().SetEnabled(on);
}

void TFormMain::SetToolbarShowCaptions(bool show) {
    Find<ToolBar>(form_main::ToolBar1).SetShowCaptions(show);
}

void TFormMain::SetToolbarButtonSize(int width, int height) {
    Find<ToolBar>(form_main::ToolBar1).SetButtonSize(width, height);
}

void TFormMain::SetShowHint(bool show) {
    Form::SetShowHint(show);
}

void TFormMain::SetMenuCaption(Preference which, const std::string& caption) {
    FindMenuItem(Describe(which).MenuItem).SetCaption(caption);
}

void TFormMain::ShowCurrentMessage() {
    MessageList& list = *MessageList_;
    Control& text = Find(form_main::RichEditText);
    if (TMessageEntry* entry = list.Current()) {
        const MessageRecord& record = entry->Record;
        Find<DateTimePicker>(form_main::EditStart).SetDateTime(record.StartDate);
        Find<DateTimePicker>(form_main::editStartTime).SetDateTime(record.StartDate);
        Find<DateTimePicker>(form_main::EditEnd).SetDateTime(record.AlarmDate);
        Find<DateTimePicker>(form_main::editEndTime).SetDateTime(record.AlarmDate);
        Find<RadioGroup>(form_main::rgIncType).SetItemIndex(record.IncType);
        LoadRichText(text.Handle(), entry->RichText);
        Find<ListBox>(form_main::List_Address).SetItems(entry->Addresses);
        Find<CheckBox>(form_main::cbox_notify).SetChecked(entry->Notify >= 1);
        // A change runs cBoxKeepHiddenClick, which stores the same value back.
        Find<CheckBox>(form_main::cBoxKeepHidden).SetChecked(record.KeepHidden == 1);
    }
    ShowPosition();
    if (list.Empty()) {
        FindToolButton(form_main::ToolButton_modMsg).SetEnabled(false);
        text.SetText("");
        return;
    }
    if (const TMessageEntry* entry = list.Current(); entry && entry->StickerHandle != 0) {
        BringWindowToTop(reinterpret_cast<HWND>(entry->StickerHandle));
    }
    FindToolButton(form_main::ToolButton_modMsg).SetEnabled(true);
}

void TFormMain::ShowPosition() {
    const MessageList& list = *MessageList_;
    Find<StatusBar>(form_main::StatusBar1)
        .SetPanelText(0, list.Empty() ? std::string("rec 0/0")
                                      : "rec " + std::to_string(list.CurrentIndex + 1) + "/" +
                                            std::to_string(list.Count()));
}

EditorValues TFormMain::ReadEditor() const {
    EditorValues values;
    values.StartDate = CombineDateTime(Find<DateTimePicker>(form_main::EditStart).DateTime(),
                                       Find<DateTimePicker>(form_main::editStartTime).DateTime());
    values.AlarmDate = CombineDateTime(Find<DateTimePicker>(form_main::EditEnd).DateTime(),
                                       Find<DateTimePicker>(form_main::editEndTime).DateTime());
    values.IncType = Find<RadioGroup>(form_main::rgIncType).ItemIndex();
    values.RichText = SaveRichText(Find(form_main::RichEditText).Handle());
    values.Addresses = Find<ListBox>(form_main::List_Address).Items();
    values.Notify = Find<CheckBox>(form_main::cbox_notify).Checked();
    return values;
}

// The new message never takes the editor's fields: it starts from the
// defaults, with a text that says when it was made.
void TFormMain::ToolButton_newMsgClick(Event&) {
    if (App().RefuseInModalLoop()) {
        return;
    }
    const Environment& env = App().Env();
    Control& text = Find(form_main::RichEditText);
    text.SetText("Zandrel by Borvath\r\n date: " + DateTimeToText(env.Now()));
    const std::string richText = SaveRichText(text.Handle());
    Find<CheckBox>(form_main::cbox_notify).SetChecked(false);
    MessageList_->New(env, richText);
    RebuildStickers(ChildExpanded);
    ShowCurrentMessage();
}

// Always a new message, even when the editor shows a stored one unchanged.
void TFormMain::btnAddClick(Event&) {
    if (App().RefuseInModalLoop()) {
        return;
    }
    MessageList_->Add(App().Env(), ReadEditor());
    RebuildStickers(ChildExpanded);
    ShowCurrentMessage();
}

// The message keeps its Key, and so its place in the rich-text file; the
// rebuild moved the selection to the last message, so it goes back to it.
void TFormMain::btnReplaceClick(Event&) {
    if (App().RefuseInModalLoop()) {
        return;
    }
    const std::optional<std::string> key = MessageList_->Replace(App().Env(), ReadEditor());
    if (!key) {
        return;
    }
    RebuildStickers(ChildExpanded);
    MessageList_->SelectKey(*key);
    ShowCurrentMessage();
}

// The user confirms the message shown when the command started. The timer
// keeps running under the box and its refresh moves CurrentIndex to the
// last message, so the list and the shown one are looked up again afterwards.
void TFormMain::btnDeleteClick(Event&) {
    if (App().RefuseInModalLoop()) {
        return;
    }
    const int shownIndex = MessageList_->CurrentIndex;
    const TMessageEntry* shown = MessageList_->Current();
    const bool anyShown = shown != nullptr;
    const std::string shownKey = shown ? shown->Key : std::string();
    if (!App().Env().Confirm("do you want to delete this item ?")) {
        return;
    }
    MessageList& list = *MessageList_;
    if (list.Empty()) {
        return;
    }
    if (anyShown) {
        if (shownIndex < int(list.Count()) && list.Key(std::size_t(shownIndex)) == shownKey) {
            list.CurrentIndex = shownIndex;
        } else if (const auto index = list.IndexOfKey(shownKey)) {
            list.CurrentIndex = int(*index);
        } else {
            return; // gone already
        }
    } else {
        list.CurrentIndex = shownIndex;
    }
    list.Delete();
    RebuildStickers(ChildExpanded);
    ShowCurrentMessage();
    list.SaveMessages();
}

void TFormMain::ToolButton3Click(Event&) {
    MessageList_->Prev();
    ShowCurrentMessage();
}

void TFormMain::ToolButton4Click(Event&) {
    if (MessageList_->Count() < 2) {
        return;
    }
    MessageList_->Next();
    ShowCurrentMessage();
}

// Stored with the next New, Add, Replace or Delete; the sticker follows at
// the next rebuild.
void TFormMain::cBoxKeepHiddenClick(Event&) {
    TMessageEntry* entry = MessageList_->Current();
    if (!entry) {
        throw std::out_of_range("List index out of bounds (" +
                                std::to_string(MessageList_->CurrentIndex) + ")");
    }
    entry->SetKeepHidden(Find<CheckBox>(form_main::cBoxKeepHidden).Checked());
}

// "Add mail": the address book opens over the listed addresses, and the list
// then shows the primary recipients picked there. The list reaches the
// message with the next Add or Replace.
void TFormMain::sb_newMailClick(Event&) {
    if (App().RefuseInModalLoop()) {
        return;
    }
    ListBox& addresses = Find<ListBox>(form_main::List_Address);
    Email1.SetRecipient(addresses.Items());
    Email1.ShowAddressBook();
    addresses.SetItems(Email1.Recipient());
}

// The only way to take an address off the list.
void TFormMain::List_AddressDblClick(Event&) {
    ListBox& addresses = Find<ListBox>(form_main::List_Address);
    if (const int selected = addresses.ItemIndex(); selected >= 0) {
        addresses.DeleteItem(selected);
    }
}

// A rebuild asked for while one runs (from a box it raised), or while a
// sticker runs a loop of its own (its drag), would destroy windows whose code
// is still running: it runs once afterwards instead, with the height chosen
// by then.
void TFormMain::RebuildStickers(bool expanded) {
    if (rebuilding_.IsBusy() || stickers_.InOwnLoop()) {
        if (!std::exchange(rebuildPending_, true) && !rebuilding_.IsBusy()) {
            WhenNotModal([this] { RunPendingRebuild(); });
        }
        return;
    }
    const BusyMark::Hold busy(busy_);
    const BusyMark::Hold rebuilding(rebuilding_);
    const StickerPictures pictures = Pictures();
    try {
        stickers_.Rebuild(expanded, pictures);
        while (std::exchange(rebuildPending_, false)) {
            stickers_.Rebuild(ChildExpanded, pictures);
        }
    } catch (...) {
        FinishNotifications();
        throw;
    }
    FinishNotifications();
}

// A notification that fails (no mail service on this system) is not tried
// again, and the rebuild goes on with the other stickers.
void TFormMain::SendStickerNotification(TMessageEntry& entry) {
    if (entry.Notify < 1) {
        return;
    }
    notificationsCleared_ = true;
    try {
        SendMailNotification(entry, Email1, Handle());
    } catch (const std::exception& error) {
        if (std::find(notificationErrors_.begin(), notificationErrors_.end(), error.what()) ==
            notificationErrors_.end()) {
            notificationErrors_.emplace_back(error.what());
        }
    }
}

// Stored at once, so that a notification goes out once across restarts too.
void TFormMain::FinishNotifications() {
    std::vector<std::string> errors = std::exchange(notificationErrors_, {});
    if (std::exchange(notificationsCleared_, false) && MessageList_) {
        try {
            MessageList_->SaveMessages();
        } catch (const std::exception& error) {
            errors.emplace_back(error.what());
        }
    }
    for (const std::string& error : errors) {
        App().ReportError(error);
    }
}

void TFormMain::RunPendingRebuild() {
    if (std::exchange(rebuildPending_, false) && MessageList_) {
        RebuildStickers(ChildExpanded);
    }
}

StickerPictures TFormMain::Pictures() const {
    StickerPictures pictures(PinBitmap.get(), PinRedBitmap.get(), BannerBitmap.get(),
                             BannerRedBitmap.get());
    const auto& scaled = scaledStickerBitmaps_;
    pictures.At150 = {scaled[0].get(), scaled[1].get(), scaled[2].get(), scaled[3].get()};
    pictures.At200 = {scaled[4].get(), scaled[5].get(), scaled[6].get(), scaled[7].get()};
    return pictures;
}

UINT TFormMain::FreeClosedPopupsMessage() {
    static const UINT message = RegisterWindowMessageA("Zandrel.FreeClosedPopups");
    return message;
}

void TFormMain::FillFontNames() {
    formatting_.FillFontNames();
}

void TFormMain::UpdateStartupShortcut() {
    zandrel::UpdateStartupShortcut(settings_, App().Env(), ExecutablePath());
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TrayIcon::kCallbackMessage) {
        TrayIconMessage(lParam);
        return 0;
    }
    if (message == TaskbarCreatedMessage()) {
        if (trayIcon_.Added()) {
            trayIcon_.Add();
        }
        return 0;
    }
    if (message == FreeClosedPopupsMessage()) {
        popups_.FreeClosed();
        return 0;
    }
    if (message == InstanceGuard::ShowRequestMessage()) {
        ShowMainWindow();
        return 0;
    }
    const bool resumed = message == WM_POWERBROADCAST &&
                         (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND);
    if (message == WM_DISPLAYCHANGE || resumed) {
        DisplayChanged();
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void TFormMain::CentreOnScreen() {
    const RECT rect = ScreenRect();
    const WindowOrigin origin = zandrel::CentreOnScreen(
        App().Env().Screen(), rect.right - rect.left, rect.bottom - rect.top);
    MoveTo(origin.Left, origin.Top);
}

void TFormMain::InstallHintHook() {
    if (hintHooked_) {
        return;
    }
    savedHintHandler_ = App().OnHint;
    App().OnHint = [this] { ShowAppHint(); };
    hintHooked_ = true;
}

void TFormMain::RemoveHintHook() {
    if (!hintHooked_) {
        return;
    }
    App().OnHint = savedHintHandler_;
    hintHooked_ = false;
}

} // namespace zandrel
