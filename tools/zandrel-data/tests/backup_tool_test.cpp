// zandrel-data backups and restore, on backups the program's daily backup made.
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
using test::FakeClock;
using test::ReadFile;
using test::TempFolder;

struct Result {
    int Status;
    std::string Out;
    std::string Err;
};

Result RunTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunDataTool(args, out, err, FakeClock(At("2024-03-09 12:00:00.000")));
    return {status, out.str(), err.str()};
}

class BackupToolTest : public ::testing::Test {
protected:
    // Two messages saved on the 5th, a third on the 7th: the backup of the
    // 7th holds the two.
    BackupToolTest() : list_(folder_.File("ZandrelData.dat")) {
        list_.BeforeSave = [this] { backup_.BeforeSave(list_.DataFileName(), clock_.now); };
        clock_.now = At("2024-03-05 10:00:00.000");
        list_.New(clock_, "{\\rtf1 one}");
        list_.New(clock_, "{\\rtf1 two}");
        twoMessages_ = Pair(folder_.Path());
        clock_.now = At("2024-03-07 10:00:00.000");
        list_.New(clock_, "{\\rtf1 three}");
    }

    static std::string Pair(const std::filesystem::path& folder) {
        return ReadFile((folder / "ZandrelData.dat").string()) + "|" +
               ReadFile((folder / "ZandrelData_Memo.dat").string());
    }

    TempFolder folder_;
    FakeClock clock_{0, 0.0001};
    DailyBackup backup_;
    MessageList list_;
    std::string twoMessages_;
};

TEST_F(BackupToolTest, RestorePutsTheBackupBackAndKeepsWhatItReplaced) {
    const std::string folder = folder_.Path().string();
    const std::string threeMessages = Pair(folder_.Path());
    EXPECT_EQ(RunTool({"backups", folder}).Out, "2024-03-07  2 messages\n");

    const Result restored = RunTool({"restore", folder, "2024-03-07"});
    ASSERT_EQ(restored.Status, kExitOk) << restored.Err;
    EXPECT_EQ(Pair(folder_.Path()), twoMessages_);
    EXPECT_EQ(Pair(folder_.Path() / "Backups" / "2024-03-09-before-restore"), threeMessages);

    // The restore is undone the same way; the second copy of the day gets -2.
    ASSERT_EQ(RunTool({"restore", folder, "2024-03-09-before-restore"}).Status, kExitOk);
    EXPECT_EQ(Pair(folder_.Path()), threeMessages);
    EXPECT_EQ(RunTool({"backups", folder}).Out,
              "2024-03-07  2 messages\n2024-03-09-before-restore  3 messages\n"
              "2024-03-09-before-restore-2  2 messages\n");
}

TEST_F(BackupToolTest, ABadRequestChangesNothing) {
    const std::string folder = folder_.Path().string();
    const std::string before = Pair(folder_.Path());
    const struct {
        std::vector<std::string> Args;
        std::string Error;
    } cases[] = {
        {{"restore", folder, "2024-03-08"}, "No backup \"2024-03-08\""},
        {{"restore", folder, "2024-03-07/../.."}, "No backup"},
        {{"restore", folder}, "restore needs the date of the backup"},
        {{"backups", folder, "2024-03-07"}, "unexpected \"2024-03-07\""},
    };
    for (const auto& c : cases) {
        const Result r = RunTool(c.Args);
        EXPECT_EQ(r.Status, kExitFailure) << c.Args.back();
        EXPECT_NE(r.Err.find(c.Error), std::string::npos) << r.Err;
    }
    EXPECT_EQ(Pair(folder_.Path()), before);
}

#ifdef _WIN32
TEST_F(BackupToolTest, RestoreRefusesWhileTheProgramRunsFromTheFolder) {
    const RunningMark running(folder_.Path().string() + "\\");
    std::string otherSpelling = folder_.Path().string();
    for (char& c : otherSpelling)
        c = c == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(c)));
    const std::string before = Pair(folder_.Path());
    const Result r = RunTool({"restore", otherSpelling, "2024-03-07"});
    EXPECT_EQ(r.Status, kExitFailure);
    EXPECT_NE(r.Err.find("Zandrel is running from"), std::string::npos) << r.Err;
    EXPECT_EQ(Pair(folder_.Path()), before);
}
#endif

} // namespace
} // namespace zandrel
