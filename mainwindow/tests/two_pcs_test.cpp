// Two computers on one synced folder: each runs this child in a Wine prefix
// of its own (scripts/two_pcs_test.sh), adds a note through the editor and
// waits until the other computer's note shows on its own screen too; then
// both notes are in the files.
#include "framework/controls/rich_edit.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace zandrel::testing {
namespace {

constexpr char kFolderVariable[] = "ZANDREL_TWO_PCS_FOLDER";
constexpr char kComputerVariable[] = "ZANDREL_TWO_PCS_PC"; // 1 or 2
constexpr TDateTime kMinute = 1.0 / 1440;

std::string NoteOf(int computer) {
    return "Note from PC " + std::to_string(computer);
}

// The texts of the stickers on the screen (the placeholder comes first), sorted.
std::vector<std::string> StickerTexts(const TFormMain& form) {
    const auto& stickers = form.Stickers().Stickers();
    std::vector<std::string> texts;
    for (std::size_t i = 1; i < stickers.size(); ++i) {
        if (stickers[i]->Handle() && IsWindowVisible(stickers[i]->Handle())) {
            texts.push_back(PlainText(stickers[i]->RichEdit1()));
        }
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

// The notes whose texts the files hold, in the files' order.
std::vector<std::string> StoredNotes(const std::string& dataFile) {
    MessageList list(dataFile);
    list.Pause = [] { Sleep(100); }; // the other computer may be saving
    list.LoadMessages(TestEnvironment());
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        for (int computer : {1, 2}) {
            if (list.Entry(i).RichText.find(NoteOf(computer)) != std::string::npos) {
                notes.push_back(NoteOf(computer));
            }
        }
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

TEST(TwoPcsChild, BothNotesShowOnBothScreensAndStayInTheFiles) {
    const char* folder = std::getenv(kFolderVariable);
    const char* computerText = std::getenv(kComputerVariable);
    if (!folder || !*folder || !computerText || !*computerText) {
        GTEST_SKIP() << "only as one of the two computers of scripts/two_pcs_test.sh";
    }
    const int computer = std::atoi(computerText);
    const std::string dataFile = std::string(folder) + "\\ZandrelData.dat";
    // Two computers' clocks differ: their notes get different Keys.
    FakeEnvironment& env = TestEnvironment();
    env.now += computer * kMinute;
    const ScratchSettings settings;
    const MapiLibrary noMailService;
    TFormMain form(noMailService, dataFile, ScratchSettings::Store());
    ASSERT_TRUE(PumpUntil([&] { return form.StartupDone(); }));

    PressToolButton(form, form_main::ToolButton_newMsg);
    PumpMessages();
    form.Find(form_main::RichEditText).SetText(NoteOf(computer));
    PressToolButton(form, form_main::ToolButton_modMsg);
    PumpMessages();
    env.now += 60 * kMinute; // both notes have started, neither is due

    const std::vector<std::string> both{NoteOf(1), NoteOf(2)};
    // The other computer starts and saves in its own time.
    const bool seen = PumpUntil(
        [&] {
            SendTimerTick(form);
            PumpMessages();
            return StickerTexts(form) == both;
        },
        std::chrono::seconds(60));
    ASSERT_TRUE(seen) << "this screen's stickers: " << ::testing::PrintToString(StickerTexts(form));
    EXPECT_EQ(StoredNotes(dataFile), both);
    EXPECT_EQ(form.Messages().Count(), 2u);
    EXPECT_TRUE(env.boxes.empty()) << env.boxes.front().Text;
}

} // namespace
} // namespace zandrel::testing
