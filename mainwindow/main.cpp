#include "mainwindow/main.h"

#include "catalog/report.h"
#include "catalog/shown_text.h"
#include "extras/about.h"
#include "extras/core/help_command.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/hints/core/hint_text.h"
#include "framework/system_date_time.h"
#include "mainwindow/comune.h"
#include "mainwindow/instance_guard.h"
#include "resources/form_main.h"
#include "resources/resource_names.h"
#include "storage/core/file_ops.h"

#include <shlobj.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zandrel {
namespace {

constexpr char kLosesEmbeddedItems[] =
    "This note holds embedded objects that Zandrel cannot keep. Replace it anyway?";
constexpr char kDeleteQuestion[] = "do you want to delete this item ?";

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

} // namespace

TFormMain::TFormMain(const MapiLibrary& mapi, std::string dataFileName,
                     RegistrySettingsStore settings)
    : Form(FormMainDescription()), email_(mapi), dataFileName_(std::move(dataFileName)),
      rebuilds_(*this,
                StickerHost{.Messages = [this] { return MessageList_.get(); },
                            .MainWindow = [this] { return Handle(); },
                            .ShowCurrentMessage = [this] { ShowCurrentMessage(); },
                            .MainWindowShown =
                                [this] {
                                    standsOffScreen_ = false;
                                    InstallHintHook();
                                },
                            .PositionStored = [this] { MessageList_->SaveMessages(); },
                            .DeleteAsked =
                                [this](std::size_t index, const std::string& key) {
                                    doneAsked_ = {int(index), key};
                                    App().PostWhenNotModal(Handle(), kDoneAskedMessage);
                                }},
                email_),
      settings_(std::move(settings)) {
    email_.SetUseDefProfile(true);
    // Inside another command's modal loop a handler must leave the message
    // list and the stickers as that command holds them, and must not stack a
    // window of its own over it: what would is refused there.
    const auto runs = WhileModal::Runs;
    const auto refused = WhileModal::Refused;
    Bind(form_main::on::FormCreate, runs, &TFormMain::FormCreate);
    Bind(form_main::on::FormClose, runs, &TFormMain::FormClose);
    Bind(form_main::on::FormActivate, runs, &TFormMain::FormActivate);
    Bind(form_main::on::FormDeactivate, runs, &TFormMain::FormDeactivate);
    Bind(form_main::on::Panel1MouseMove, runs, &TFormMain::Panel1MouseMove);
    Bind(form_main::on::Timer1Timer, runs, &TFormMain::Timer1Timer);
    Bind(form_main::on::Close2Click, runs, &TFormMain::Close2Click);
    Bind(form_main::on::ShutdownClick, runs, &TFormMain::ShutdownClick);
    Bind(form_main::on::Setup1Click, refused, &TFormMain::Setup1Click);
    Bind(form_main::on::BtnRefreshClick, refused, &TFormMain::BtnRefreshClick);
    Bind(form_main::on::sbPrintReportClick, refused, &TFormMain::sbPrintReportClick);
    Bind(form_main::on::Help1Click, WhileModal::RunsOnce, &TFormMain::Help1Click);
    Bind(form_main::on::About1Click, WhileModal::RunsOnce, &TFormMain::About1Click);
    Bind(form_main::on::ExpandChild, refused, &TFormMain::ExpandChild);
    Bind(form_main::on::Disablesound1Click, runs, &TFormMain::Disablesound1Click);
    Bind(form_main::on::ShowTextClick, runs, &TFormMain::ShowTextClick);
    Bind(form_main::on::ShowHint1Click, runs, &TFormMain::ShowHint1Click);
    Bind(form_main::on::cBoxKeepHiddenClick, runs, &TFormMain::cBoxKeepHiddenClick);
    Bind(form_main::on::ToolButton_newMsgClick, refused, &TFormMain::ToolButton_newMsgClick);
    Bind(form_main::on::btnAddClick, refused, &TFormMain::btnAddClick);
    Bind(form_main::on::btnReplaceClick, refused, &TFormMain::btnReplaceClick);
    Bind(form_main::on::btnDeleteClick, refused, &TFormMain::btnDeleteClick);
    Bind(form_main::on::ToolButton3Click, runs, &TFormMain::ToolButton3Click);
    Bind(form_main::on::ToolButton4Click, runs, &TFormMain::ToolButton4Click);
    Bind(form_main::on::sb_newMailClick, refused, &TFormMain::sb_newMailClick);
    Bind(form_main::on::List_AddressDblClick, runs, &TFormMain::List_AddressDblClick);
    Bind(form_main::on::Find1Click, refused, &TFormMain::Find1Click);
    Bind(form_main::on::FindAgain, refused, &TFormMain::FindAgain);
    formatting_.BindTo([this](const std::string& name, WhileModal rule, EventHandler handler) {
        Bind(name, rule, std::move(handler));
    });
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
// In UTF-8, as every path of the program: a folder named in any script.
std::string TFormMain::ExecutablePath() {
    std::wstring path(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return file_ops::FromWide(path);
        }
        path.resize(path.size() * 2);
    }
}

void TFormMain::FormCreate(Event&) {
    startup_.Run(*this);
}

void TFormMain::FormClose(Event& event) {
    RemoveHintHook();
    if (!shutdownRequested_) {
        event.Action = CloseAction::None;
        ShowWindow(Handle(), SW_HIDE);
        App().Sounds().Play(res::kSoundThrow);
        return;
    }
    trayIcon_.Remove();
    SetForegroundWindow(Handle());
    rebuilds_.DestroyAll();
    popups_.DestroyAll();
    if (store_) {
        store_->Close();
        store_.reset();
    }
    MessageList_.reset();
    if (!completePlayed_) {
        App().Sounds().Play(res::kSoundComplete);
    }
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

// Open boxes and modal windows close as Cancel, No or Close would; the
// program ends once the handlers under them have finished as for that
// answer: they hold the list that the end frees.
void TFormMain::ShutdownClick(Event&) {
    App().EndModalLoops();
    WhenNotModal([this] {
        shutdownRequested_ = true;
        Close();
    });
}

// The session ends: the system may end the process as soon as this returns,
// so the shutdown is done now as far as it can be. Handlers still suspended
// under the closed loops keep what they hold until they have finished, when
// the rest follows; a notification already sent is stored now.
void TFormMain::EndSession() {
    Event event;
    ShutdownClick(event);
    if (!App().InModalLoop()) {
        return;
    }
    trayIcon_.Remove();
    rebuilds_.StoreSentNotifications();
    if (store_) {
        store_->Close();
    }
    App().Sounds().Play(res::kSoundComplete);
    completePlayed_ = true;
}

void TFormMain::Setup1Click(Event&) {
    ShowMainWindow();
}

void TFormMain::BtnRefreshClick(Event&) {
    RebuildStickers();
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
// the start until the tray first shows it). Run inside another modal loop,
// it comes back once that loop has ended too, and not when the program is
// shutting down.
void TFormMain::RunInsteadOfMainWindow(const std::function<void()>& run) {
    ShowWindow(Handle(), SW_HIDE);
    try {
        run();
    } catch (...) {
        ShowAgainWhenNotModal();
        throw;
    }
    ShowAgainWhenNotModal();
}

void TFormMain::ShowAgainWhenNotModal() {
    WhenNotModal([this] {
        if (App().ShuttingDown()) {
            return;
        }
        if (!MonitorFromWindow(Handle(), MONITOR_DEFAULTTONULL)) {
            CentreOnScreen();
        }
        standsOffScreen_ = false;
        ShowWindow(Handle(), SW_SHOW);
        InstallHintHook();
    });
}

// Ignored while the window is being created: the stickers are built later.
void TFormMain::ExpandChild(Event&) {
    if (!startup_.Done()) {
        return;
    }
    TogglePreference(Preference::ChildHeight, childExpanded_, settings_, *this);
    RebuildStickers();
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
    trayIcon_.AddIfRefused();
    if (ticking_.IsBusy() || rebuilds_.Running() || !MessageList_) {
        return;
    }
    const BusyMark::Hold ticking(ticking_);
    LookAtFiles();
    TimerTickActions actions;
    // A message deleted from a dialog's loop during this tick is never due.
    actions.Message = [this](int index) {
        return std::size_t(index) < MessageList_->Count()
                   ? TimerSourceOf(MessageList_->Entry(index))
                   : TimerSource{};
    };
    actions.RebuildDue = [this] {
        RebuildStickers();
        App().Sounds().Play(res::kSoundDing);
        ShowCurrentMessage();
    };
    actions.OpenWarning = [this](int index) {
        popups_.Open(MessageList_->Entry(std::size_t(index)), popupCount_);
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

// The hint hook goes back in on every show: Close took it out. While a modal
// window is open, that window comes to the front instead, as the task bar
// brings up a program's modal dialog.
void TFormMain::ShowMainWindow() {
    if (App().BringModalWindowUp()) {
        return;
    }
    CentreOnScreen();
    standsOffScreen_ = false;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    InstallHintHook();
    LookAtFiles();
}

void TFormMain::DisplayChanged() {
    BringFormsOntoMonitors(App().Env().Monitors(), [this](HWND form) {
        const bool sticker = dynamic_cast<TFormMemo*>(Window::FromHandle(form)) != nullptr;
        return sticker || (form == Handle() && standsOffScreen_);
    });
    if (startup_.Done() && MessageList_) {
        RebuildStickers();
    }
}

void TFormMain::LoadSettings() {
    zandrel::LoadSettings(settings_, *this, App().Env());
}

void TFormMain::SetChildExpanded(bool expanded) {
    childExpanded_ = expanded;
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
        Find<DropDownList>(form_main::cbRepeat).SetItemIndex(int(entry->Repeat.Period));
        LoadMessageText(text.Handle(), ShownTextOf(*entry));
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
    values.Repeat = RepeatPeriod(std::max(Find<DropDownList>(form_main::cbRepeat).ItemIndex(), 0));
    return values;
}

// The new message never takes the editor's fields: it starts from the
// defaults, with a text that says when it was made.
void TFormMain::ToolButton_newMsgClick(Event&) {
    const Environment& env = App().Env();
    Control& text = Find(form_main::RichEditText);
    text.SetText("Zandrel by Borvath\r\n date: " + DateTimeToText(env.Now()));
    const std::string richText = SaveRichText(text.Handle());
    Find<CheckBox>(form_main::cbox_notify).SetChecked(false);
    MessageList_->New(env, richText);
    RebuildStickers();
    ShowCurrentMessage();
}

// Always a new message, even when the editor shows a stored one unchanged.
void TFormMain::btnAddClick(Event&) {
    MessageList_->Add(App().Env(), ReadEditor());
    RebuildStickers();
    ShowCurrentMessage();
}

// The message keeps its Key, and so its place in the rich-text file; the
// rebuild moved the selection to the last message, so it goes back to it.
// Asks first when the editor's text would lose embedded objects or pictures
// that the stored text holds; the timer runs on under the box, so the message
// is looked up again afterwards.
void TFormMain::btnReplaceClick(Event&) {
    const TMessageEntry* shown = MessageList_->Current();
    if (!shown) {
        return;
    }
    const EditorValues values = ReadEditor();
    if (LosesEmbeddedItems(shown->RichText, values.RichText)) {
        const int shownIndex = MessageList_->CurrentIndex;
        const std::string shownKey = shown->Key;
        if (!App().Env().ConfirmDefaultNo(kLosesEmbeddedItems) ||
            !SelectAgain(shownIndex, shownKey)) {
            return;
        }
    }
    const std::optional<std::string> key = MessageList_->Replace(App().Env(), values);
    if (!key) {
        return;
    }
    startup_.NoteReplaced(*key);
    RebuildStickers();
    MessageList_->SelectKey(*key);
    ShowCurrentMessage();
}

void TFormMain::btnDeleteClick(Event&) {
    const TMessageEntry* shown = MessageList_->Current();
    AskAndDelete(MessageList_->CurrentIndex,
                 shown ? std::optional<std::string>(shown->Key) : std::nullopt);
}

// The user confirms the message asked about. The timer keeps running under
// the box and its refresh moves CurrentIndex to the last message, so the list
// and the message are looked up again afterwards.
void TFormMain::AskAndDelete(int index, const std::optional<std::string>& key) {
    if (!App().Env().Confirm(kDeleteQuestion)) {
        return;
    }
    MessageList& list = *MessageList_;
    if (list.Empty()) {
        return;
    }
    if (!key) {
        list.CurrentIndex = index;
    } else if (!SelectAgain(index, *key)) {
        return; // gone already
    }
    list.Delete();
    RebuildStickers();
    ShowCurrentMessage();
    list.SaveMessages();
}

void TFormMain::Find1Click(Event&) {
    finder_.ShowBox();
}

void TFormMain::FindAgain(Event&) {
    finder_.FindAgain();
}

bool TFormMain::SelectAgain(int index, const std::string& key) {
    MessageList& list = *MessageList_;
    if (index >= 0 && index < int(list.Count()) && list.Key(std::size_t(index)) == key) {
        list.CurrentIndex = index;
    } else if (const auto found = list.IndexOfKey(key)) {
        list.CurrentIndex = int(*found);
    } else {
        return false;
    }
    return true;
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
    ListBox& addresses = Find<ListBox>(form_main::List_Address);
    email_.SetRecipient(addresses.Items());
    email_.ShowAddressBook();
    addresses.SetItems(email_.Recipient());
}

// The only way to take an address off the list.
void TFormMain::List_AddressDblClick(Event&) {
    ListBox& addresses = Find<ListBox>(form_main::List_Address);
    if (const int selected = addresses.ItemIndex(); selected >= 0) {
        addresses.DeleteItem(selected);
    }
}

void TFormMain::RebuildStickers() {
    rebuilds_.Rebuild(childExpanded_);
}

void TFormMain::RebuildAfterSnooze() {
    if (!MessageList_) {
        return;
    }
    const TMessageEntry* shown = MessageList_->Current();
    const std::string key = shown ? shown->Key : std::string();
    RebuildStickers();
    MessageList_->SelectKey(key);
    ShowCurrentMessage();
}

// %LOCALAPPDATA%\Zandrel\Unsaved: the user's own folder, for the notes
// that could not be saved beside the program when it ended.
std::string TFormMain::UnsavedNotesFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return file_ops::FromWide(folder) + "\\Zandrel\\Unsaved";
}

void TFormMain::OpenNoteStore() {
    MessageList& list = *MessageList_;
    store_ =
        std::make_unique<NoteStore>(list, App().Env(), UnsavedNotesFolder(), [] { Sleep(300); });
    list.SaveHandler = [this] {
        store_->Save();
        PostMessageA(Handle(), kNotesStoredMessage, 0, 0);
    };
}

void TFormMain::LookAtFiles() {
    if (store_ && startup_.Done()) {
        store_->Look();
        ShowNotesStored();
    }
}

void TFormMain::ShowNotesStored() {
    if (!store_ || !MessageList_) {
        return;
    }
    StoreEvent event = store_->TakeEvent();
    // A rebuild under way takes the merged list in before it ends.
    if (event.ListChanged && startup_.Done()) {
        const TMessageEntry* shown = MessageList_->Current();
        const int index = MessageList_->CurrentIndex;
        RebuildStickers();
        MessageList_->CurrentIndex = index;
        for (std::size_t i = 0; i < MessageList_->Count(); ++i) {
            if (&MessageList_->Entry(i) == shown) {
                MessageList_->CurrentIndex = int(i);
            }
        }
        if (!MessageList_->Current()) {
            MessageList_->SelectLast();
        }
        ShowCurrentMessage();
    }
    Find<StatusBar>(form_main::StatusBar1)
        .SetPanelText(3, store_->Unsaved() ? "Changes not saved yet" : "");
    for (const std::string& text : event.Messages) {
        App().Env().ShowFileError(text);
    }
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
        trayIcon_.AddAgain();
        return 0;
    }
    if (message == kFreeClosedPopupsMessage) {
        popups_.FreeClosed();
        return 0;
    }
    if (message == InstanceGuard::ShowRequestMessage()) {
        ShowMainWindow();
        return 0;
    }
    if (message == kSnoozedMessage) {
        RebuildAfterSnooze();
        return 0;
    }
    if (message == kDoneAskedMessage) {
        if (const auto asked = std::exchange(doneAsked_, std::nullopt); asked && MessageList_) {
            AskAndDelete(asked->first, asked->second);
        }
        return 0;
    }
    if (message == kNotesStoredMessage) {
        ShowNotesStored();
        return 0;
    }
    if (message == WM_ENDSESSION) {
        if (wParam) {
            EndSession();
        }
        return 0;
    }
    const bool resumed = message == WM_POWERBROADCAST &&
                         (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND);
    if (message == WM_DISPLAYCHANGE || resumed) {
        DisplayChanged();
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void TFormMain::DpiChanged() {
    icons_.SetFor(*this, res::kMainIcon);
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
