#include "mainwindow/startup_sequence.h"

#include "catalog/shown_text.h"
#include "framework/application.h"
#include "framework/window_messages.h"
#include "mainwindow/main.h"
#include "resources/resource_names.h"

namespace zandrel {
namespace {

constexpr int kHandCursorSlot = 52;
constexpr int kOffScreenLeft = -800;
constexpr char kTrayTip[] = "Zandrel: remember your appointmenet";

} // namespace

void StartupSequence::Run(TFormMain& window) {
    Application& app = App();
    auto step = [&app](auto&& action) { app.Guard(action); };

    done_ = false;
    step([&] { app.Sounds().SetEnabled(true); });
    step([&] { window.LoadSettings(); });
    // The tray's small icon at the system's size, drawn for it; a shared
    // icon needs no freeing.
    const HICON trayIcon = static_cast<HICON>(LoadImageA(app.Instance(), res::kMainIcon, IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    step([&] { window.icons_.SetFor(window, res::kMainIcon); });
    step([&] {
        window.trayIcon_.Fill(window.Handle(), trayIcon, kTrayTip);
        window.trayIcon_.Add();
        SetForegroundWindow(window.Handle());
    });
    step([&] {
        app.SetScreenCursor(kHandCursorSlot, LoadCursorA(app.Instance(), res::kCursorHand));
    });
    step([&] { window.MessageList_ = std::make_unique<MessageList>(); });
    step([&] {
        window.CentreOnScreen();
        window.MoveTo(kOffScreenLeft, window.ScreenRect().top);
    });
    MessageList& list = *window.MessageList_;
    step([&] {
        list.SetDataFileName(window.dataFileName_);
        window.OpenNoteStore();
    });
    step([&] { textLoadGuard_.emplace(TextLoadGuardPathFor(window.dataFileName_)); });
    {
        const MessageTextLoadWatch watch(
            [this](const std::string& key) {
                if (textLoadGuard_) {
                    textLoadGuard_->Loading(key);
                }
            },
            [this] {
                if (textLoadGuard_) {
                    textLoadGuard_->Loaded();
                }
            });
        // A file that cannot be read yet is tried again for a few seconds;
        // nothing is saved over it while it cannot be.
        step([&] {
            if (window.store_) {
                window.store_->Open();
            }
        });
        step([&] { ApplyTextLoadGuard(list); });
        step([&] {
            list.CurrentIndex = 0;
            window.ShowCurrentMessage();
        });
        step([&] { window.RebuildStickers(); });
        step([&] { ShowWindow(app.Handle(), SW_HIDE); });
        step([&] { window.InstallHintHook(); });
        done_ = true;
        step([&] { window.RebuildStickers(); });
        step([&] { window.formatting_.FillFontNames(); });
        step([&] { window.UpdateStartupShortcut(); });
        list.CurrentIndex = 0;
    }
    step([&] {
        if (textLoadGuard_) {
            textLoadGuard_->StartupFinished();
        }
    });
    step([&] { ReportInterruptedNote(list); });
    step([&] { PostMessageA(window.Handle(), kNotesStoredMessage, 0, 0); });
}

void StartupSequence::NoteReplaced(const std::string& key) {
    if (textLoadGuard_) {
        textLoadGuard_->Replaced(key);
    }
}

void StartupSequence::ApplyTextLoadGuard(MessageList& list) const {
    for (std::size_t i = 0; i < list.Count(); ++i) {
        TMessageEntry& entry = list.Entry(i);
        entry.ShownAsPlainText = textLoadGuard_ && textLoadGuard_->ShowsAsPlainText(entry.Key);
    }
}

void StartupSequence::ReportInterruptedNote(const MessageList& list) const {
    if (!textLoadGuard_ || !textLoadGuard_->InterruptedNote()) {
        return;
    }
    const auto index = list.IndexOfKey(*textLoadGuard_->InterruptedNote());
    if (!index) {
        return;
    }
    const std::string firstLine = AnsiFirstLine(ShownTextOf(list.Entry(*index)));
    // The error box: its one OK button, where the warning box's "Retry" would
    // offer something that cannot be done.
    App().Env().ShowError("Zandrel ended while it was loading the note \"" + firstLine +
                          "\". The note shows as plain text from now on, until you replace it.");
}

} // namespace zandrel
