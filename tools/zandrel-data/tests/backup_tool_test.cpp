// zandrel-data backups and restore, on a backup the daily backup made.
#include "mainwindow/core/running_mark.h"
#include "storage/core/backups.h"
#include "storage/core/message_list.h"
#include "storage/core/tests/test_support.h"
#include "tools/zandrel-data/data_tool.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

namespace zandrel {
namespace {

using test::At;

class BackupToolTest : public ::testing::Test {
protected:
    // Two messages saved on the 5th, a third and fourth on the 7th, the
    // fourth after a restart: the backup of the 7th holds the two.
    BackupToolTest() {
        MessageList list(folder_.File("ZandrelData.dat"));
        DailyBackup backup;
        test::FakeClock clock(At("2024-03-05 10:00:00.000"), 0.0001);
        list.BeforeSave = [&] { backup.BeforeSave(list.DataFileName(), clock.now); };
        list.New(clock, "{\\rtf1 one}");
        list.New(clock, "{\\rtf1 two}");
        twoMessages_ = Pair();
        clock.now = At("2024-03-07 10:00:00.000");
        list.New(clock, "{\\rtf1 three}");
        backup = DailyBackup();
        list.New(clock, "{\\rtf1 four}");
    }
    std::string Pair(const std::string& backup = {}) const {
        const auto folder = backup.empty() ? folder_.Path() : folder_.Path() / "Backups" / backup;
        return test::ReadFile((folder / "ZandrelData.dat").string()) + "|" +
               test::ReadFile((folder / "ZandrelData_Memo.dat").string());
    }
    // Runs the tool on the 9th on this folder, or as `folder` spells it;
    // its output, or its errors when it failed.
    std::string Run(std::vector<std::string> args, std::string folder = {}) const {
        args.insert(args.begin() + 1, folder.empty() ? folder_.Path().string() : folder);
        std::ostringstream out;
        std::ostringstream err;
        const int status =
            RunDataTool(args, out, err, test::FakeClock(At("2024-03-09 12:00:00.000")));
        return status == kExitOk ? out.str() : "failed: " + err.str();
    }

    const test::TempFolder folder_;
    std::string twoMessages_;
};

TEST_F(BackupToolTest, RestorePutsTheBackupBackAndKeepsWhatItReplaced) {
    const std::string fourMessages = Pair();
    EXPECT_EQ(Run({"backups"}), "2024-03-07  2 messages\n");
    EXPECT_EQ(Run({"restore", "2024-03-07"}).find("failed"), std::string::npos);
    EXPECT_EQ(Pair(), twoMessages_);
    EXPECT_EQ(Pair("2024-03-09-before-restore"), fourMessages);

    // A restore is undone the same way; the second copy of the day gets -2.
    Run({"restore", "2024-03-09-before-restore"});
    EXPECT_EQ(Pair(), fourMessages);
    EXPECT_EQ(Run({"backups"}), "2024-03-07  2 messages\n2024-03-09-before-restore  4 messages\n"
                                "2024-03-09-before-restore-2  2 messages\n");
}

TEST_F(BackupToolTest, ABadRequestChangesNothing) {
    const std::string before = Pair();
    EXPECT_EQ(Run({"restore", "2024-03-07/../.."}).find("failed: zandrel-data: No backup"), 0u);
#ifdef _WIN32
    const RunningMark running(folder_.Path().string() + "\\");
    std::string otherSpelling = folder_.Path().string();
    for (char& c : otherSpelling)
        c = c == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(Run({"restore", "2024-03-07"}, otherSpelling)
                  .find("failed: zandrel-data: Zandrel is running from"),
              0u);
#endif
    EXPECT_EQ(Pair(), before);
}

} // namespace
} // namespace zandrel
