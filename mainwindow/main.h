#pragma once
// The main window: the editor of the message list, the owner of the tray
// icon, and the program's main form. Closing it only hides it; Shutdown ends
// the program.
#include "alarms/Email.h"
#include "alarms/core/timer_logic.h"
#include "alarms/warning_popups.h"
#include "framework/form.h"
#include "mainwindow/core/settings.h"
#include "mainwindow/find_box.h"
#include "mainwindow/core/text_load_guard.h"
#include "mainwindow/formatting_toolbar.h"
#include "mainwindow/registry_settings.h"
#include "mainwindow/tray_icon.h"
#include "stickers/sticker_board.h"
#include "storage/core/backups.h"
#include "storage/core/message_list.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
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
    const StickerBoard& Stickers() const { return stickers_; }
    const WarningPopups& Popups() const { return popups_; }
    const TrayIcon& Tray() const { return trayIcon_; }
    FormattingToolbar& Formatting() { return formatting_; }

    bool ShutdownRequested = false;
    bool ChildExpanded = false;
    bool StartupDone = false;
    int StickerHeightShort = 0;
    int StickerHeightNormal = 0;
    PopupCounter PopupCount;
    TEmail Email1;

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

    void ShowAppHint();
    void TrayIconMessage(LPARAM mouseEvent);
    // The monitors changed (one came or went, a resolution changed, the
    // computer woke up): the stickers are placed again from their stored
    // places, and every window of the program that lies on no monitor any
    // more comes back onto the nearest one.
    void DisplayChanged();

    void LoadSettings();
    void ShowCurrentMessage();
    void RebuildStickers(bool expanded);
    void FillFontNames();
    TextAttributes CurrentTextAttributes() const { return formatting_.CurrentTextAttributes(); }
    void UpdateStartupShortcut();

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
    void DpiChanged() override { SetIconsForDpi(); }

private:
    // What the editor's controls hold, as Add and Replace take it.
    EditorValues ReadEditor() const;
    void ShowPosition();
    // CurrentIndex := `index` when the message there still has `key` (a box
    // was open meanwhile), else the first with `key`; false when none has.
    bool SelectAgain(int index, const std::string& key);
    // The notes whose text ended an earlier start show as plain text.
    void ApplyTextLoadGuard();
    // Once, after the start-up: the note whose text ended the last start.
    void ReportInterruptedNote();
    // The caption's and the task switcher's icons drawn for the window's DPI.
    void SetIconsForDpi();
    void CentreOnScreen();
    void InstallHintHook();
    void RunInsteadOfMainWindow(const std::function<void()>& run);
    void ShowAgainWhenNotModal();
    // WM_ENDSESSION: the session ends.
    void EndSession();
    void RemoveHintHook();
    void RunPendingRebuild();
    // A sticker's "Remind me" saved its message: the stickers are built
    // again, and the editor stays on the message it shows.
    void RebuildAfterSnooze();
    // Before every save: the first one of a day backs the files up; a
    // failure is reported once the save is over.
    void BackUpBeforeSave();
    static UINT BackupFailedMessage();
    // The sticker pictures at every picture scale loaded.
    StickerPictures Pictures() const;
    // Posted as a pop-up closes: its object is freed once its code has run.
    static UINT FreeClosedPopupsMessage();
    // The rebuild's hook: sends the message's pending notification and keeps
    // what went wrong for the end of the rebuild.
    void SendStickerNotification(TMessageEntry& entry);
    // After a rebuild: stores the cleared notifications, then reports what
    // failed, each error once.
    void FinishNotifications();

    std::string dataFileName_;
    std::unique_ptr<MessageList> MessageList_;
    TrayIcon trayIcon_;
    BitmapHandle PinBitmap;
    BitmapHandle BannerBitmap;
    BitmapHandle PinRedBitmap;
    BitmapHandle BannerRedBitmap;
    // The same four at 150 and 200 per cent, in that order.
    std::array<BitmapHandle, 8> scaledStickerBitmaps_;
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    // From the start until the user first brings it up, the window stands
    // off the screen on purpose: a display change leaves it there.
    bool standsOffScreen_ = true;
    std::function<void()> savedHintHandler_;
    bool hintHooked_ = false;
    // A tick or a rebuild is running: a tick delivered by a modal loop inside
    // one of them waits for the next interval.
    BusyMark busy_;
    BusyMark rebuilding_;
    bool rebuildPending_ = false;
    bool notificationsCleared_ = false;
    bool completePlayed_ = false; // by the end of the session, before the shutdown's own end
    std::vector<std::string> notificationErrors_;
    StickerBoard stickers_;
    WarningPopups popups_{[this] { PostMessageA(Handle(), FreeClosedPopupsMessage(), 0, 0); }};
    FormattingToolbar formatting_{*this};
    RegistrySettingsStore settings_;
    MessageFinder finder_{*this};
    DailyBackup dailyBackup_;
    std::vector<std::string> backupErrors_;
    // Which notes show as plain text, and the mark of the note whose text
    // goes into a control during the start-up; beside the data files.
    std::optional<TextLoadGuard> textLoadGuard_;
};

} // namespace zandrel
