#pragma once
// The main window: the editor of the message list, the owner of the tray
// icon, and the program's main form. Closing it only hides it; Shutdown ends
// the program.
#include "alarms/Email.h"
#include "alarms/core/timer_logic.h"
#include "alarms/warning_popups.h"
#include "framework/form.h"
#include "framework/window_messages.h"
#include "mainwindow/core/settings.h"
#include "mainwindow/display_changes.h"
#include "mainwindow/find_box.h"
#include "mainwindow/formatting_toolbar.h"
#include "mainwindow/registry_settings.h"
#include "mainwindow/startup_sequence.h"
#include "mainwindow/sticker_rebuilds.h"
#include "mainwindow/tray_icon.h"
#include "storage/core/message_list.h"
#include "storage/core/note_store.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zandrel {

class TFormMain : public Form, public SettingsTarget {
public:
    // mapi: the mail service loaded at the program's start; it outlives the
    // window. dataFileName: the message data file; the program keeps it
    // beside its executable. settings: the key of the stored preferences.
    explicit TFormMain(const MapiLibrary& mapi, std::string dataFileName = DefaultDataFileName(),
                       RegistrySettingsStore settings = {});
    ~TFormMain() override;

    // The folder of the running executable + "ZandrelData.dat".
    static std::string DefaultDataFileName();
    // The full path of the running executable, however long.
    static std::string ExecutablePath();

    // The program start shows the main form once; it stands off the screen.
    void ShowAtStart();
    // Centred, normal, in the foreground: the tray's double-click, "Setup..."
    // and a second start of the program.
    void ShowMainWindow();

    MessageList& Messages() { return *MessageList_; }
    const StickerBoard& Stickers() const { return rebuilds_.Board(); }
    const WarningPopups& Popups() const { return popups_; }
    const TrayIcon& Tray() const { return trayIcon_; }
    FormattingToolbar& Formatting() { return formatting_; }
    const TEmail& Email1() const { return email_; }
    const PopupCounter& PopupCount() const { return popupCount_; }
    // The stickers' height: expanded (normal) or short.
    bool ChildExpanded() const { return childExpanded_; }
    bool StartupDone() const { return startup_.Done(); }

    // Builds the stickers again at the height chosen; see StickerRebuilds.
    void RebuildStickers();
    void ShowCurrentMessage();

    // The handlers the form description binds.
    void FormCreate(Event& event);
    void FormClose(Event& event);
    void FormActivate(Event& event);
    void FormDeactivate(Event& event);
    void Panel1MouseMove(Event& event);
    void Close2Click(Event& event);
    void ShutdownClick(Event& event);
    void Setup1Click(Event& event);
    void BtnRefreshClick(Event& event);
    void sbPrintReportClick(Event& event);
    void Help1Click(Event& event);
    void About1Click(Event& event);
    void ExpandChild(Event& event);
    void Disablesound1Click(Event& event);
    void ShowTextClick(Event& event);
    void ShowHint1Click(Event& event);
    void Timer1Timer(Event& event);
    void cBoxKeepHiddenClick(Event& event);
    void sb_newMailClick(Event& event);
    void List_AddressDblClick(Event& event);
    void Find1Click(Event& event);
    void FindAgain(Event& event); // F3

    // The editor commands.
    void ToolButton_newMsgClick(Event& event);
    void btnAddClick(Event& event);
    void btnReplaceClick(Event& event);
    void btnDeleteClick(Event& event);
    void ToolButton3Click(Event& event); // Prev.
    void ToolButton4Click(Event& event); // Next

    // The preferences applied to the running program (LoadSettings and the
    // "General setting" menu).
    void SetChildExpanded(bool expanded) override;
    void SetSoundEnabled(bool on) override;
    void SetToolbarShowCaptions(bool show) override;
    void SetToolbarButtonSize(int width, int height) override;
    void SetShowHint(bool show) override;
    void SetMenuCaption(Preference which, const std::string& caption) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    // The start-up sets up the parts below in its order.
    friend class StartupSequence;

    void LoadSettings();
    void UpdateStartupShortcut();
    void ShowAppHint();
    void TrayIconMessage(LPARAM mouseEvent);
    // The monitors changed (one came or went, a resolution changed, the
    // computer woke up): the stickers are placed again from their stored
    // places, and every window of the program that lies on no monitor any
    // more comes back onto the nearest one.
    void DisplayChanged();
    // What the editor's controls hold, as Add and Replace take it.
    EditorValues ReadEditor() const;
    void ShowPosition();
    // CurrentIndex := `index` when the message there still has `key` (a box
    // was open meanwhile), else the first with `key`; false when none has.
    bool SelectAgain(int index, const std::string& key);
    // Delete's question and, on Yes, its deletion, of the message at `index`
    // with `key` (none: the position past the end that Delete was given).
    void AskAndDelete(int index, const std::optional<std::string>& key);
    void CentreOnScreen();
    void InstallHintHook();
    void RunInsteadOfMainWindow(const std::function<void()>& run);
    void ShowAgainWhenNotModal();
    // WM_ENDSESSION: the session ends.
    void EndSession();
    void RemoveHintHook();
    // A sticker's "Remind me" saved its message: the stickers are built
    // again, and the editor stays on the message it shows.
    void RebuildAfterSnooze();
    // The list's saves go through the note store, which looks at the files
    // first; what it has to show is shown once the save is over.
    void OpenNoteStore();
    static std::string UnsavedNotesFolder();
    // The store's look at the files (at every tick, when the window opens).
    void LookAtFiles();
    // A merged list: the stickers are built again, the editor stays on its
    // note; failures are reported, each once; the status bar tells whether
    // changes wait to be saved.
    void ShowNotesStored();

    TEmail email_;
    std::string dataFileName_;
    std::unique_ptr<MessageList> MessageList_;
    TrayIcon trayIcon_;
    WindowIcons icons_;
    // From the start until the user first brings it up, the window stands
    // off the screen on purpose: a display change leaves it there.
    bool standsOffScreen_ = true;
    bool childExpanded_ = false;
    bool shutdownRequested_ = false;
    std::function<void()> savedHintHandler_;
    bool hintHooked_ = false;
    // A tick is running: a tick delivered by a modal loop inside it, or
    // inside a rebuild, waits for the next interval.
    BusyMark ticking_;
    bool completePlayed_ = false; // by the end of the session, before the shutdown's own end
    StartupSequence startup_;
    StickerRebuilds rebuilds_;
    PopupCounter popupCount_;
    WarningPopups popups_{[this] { PostMessageA(Handle(), kFreeClosedPopupsMessage, 0, 0); }};
    FormattingToolbar formatting_{*this};
    RegistrySettingsStore settings_;
    MessageFinder finder_{*this};
    // After MessageList_, which it refers to: it goes first.
    std::unique_ptr<NoteStore> store_;
    // The message of a sticker's "Done" that asks whether to delete it.
    std::optional<std::pair<int, std::string>> doneAsked_;
};

} // namespace zandrel
