#include "storage/core/backups.h"

#include "storage/core/message_list.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zandrel {
namespace {

using test::At;
using test::FakeClock;
using test::ReadFile;
using test::TempFolder;

namespace fs = std::filesystem;

// A list whose every save goes through the daily backup, as in the program.
class DailyBackupTest : public ::testing::Test {
protected:
    DailyBackupTest() : list_(folder_.File("ZandrelData.dat")) {
        list_.BeforeSave = [this] {
            if (auto error = backup_.BeforeSave(list_.DataFileName(), clock_.Now()))
                errors_.push_back(*error);
        };
    }

    // Adds one message and saves, on the day and time given.
    void SaveOn(const char* moment) {
        clock_.now = At(moment);
        list_.New(clock_, "{\\rtf1 note " + std::to_string(list_.Count()) + "}");
    }

    std::string Pair() const {
        return ReadFile(folder_.File("ZandrelData.dat")) + "|" +
               ReadFile(folder_.File("ZandrelData_Memo.dat"));
    }
    std::string BackupPair(const std::string& day) const {
        const fs::path folder = folder_.Path() / "Backups" / day;
        return ReadFile((folder / "ZandrelData.dat").string()) + "|" +
               ReadFile((folder / "ZandrelData_Memo.dat").string());
    }
    std::vector<std::string> BackupNames() const {
        std::vector<std::string> names;
        for (const BackupFolder& backup : ListBackups(list_.DataFileName()))
            names.push_back(backup.Name);
        return names;
    }

    TempFolder folder_;
    FakeClock clock_{At("2024-03-01 09:00:00.000")};
    DailyBackup backup_;
    MessageList list_;
    std::vector<std::string> errors_;
};

TEST_F(DailyBackupTest, TheFirstSaveOfADayKeepsThePairAsItWasBeforeIt) {
    SaveOn("2024-03-01 09:00:00.000"); // nothing to back up yet
    EXPECT_TRUE(BackupNames().empty());
    SaveOn("2024-03-01 18:00:00.000");
    const std::string evening = Pair();

    SaveOn("2024-03-02 00:00:01.000");
    EXPECT_EQ(BackupPair("2024-03-02"), evening);
    SaveOn("2024-03-02 23:59:59.000"); // the same day: the folder stays as made
    EXPECT_EQ(BackupPair("2024-03-02"), evening);
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"2024-03-02"});

    // A restart that day finds the folder made and leaves it.
    DailyBackup restarted;
    EXPECT_EQ(restarted.BeforeSave(list_.DataFileName(), At("2024-03-02 23:59:59.500")),
              std::nullopt);
    EXPECT_EQ(BackupPair("2024-03-02"), evening);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(DailyBackupTest, TheFifteenthDayRemovesTheOldestDayOnly) {
    SaveOn("2024-03-01 08:00:00.000");
    fs::create_directories(folder_.Path() / "Backups" / "2024-01-01-before-restore");
    fs::copy_file(folder_.Path() / "ZandrelData.dat",
                  folder_.Path() / "Backups" / "2024-01-01-before-restore" / "ZandrelData.dat");
    for (int day = 2; day <= 16; ++day) {
        const std::string date =
            "2024-03-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + " 08:00:00.000";
        SaveOn(date.c_str());
    }
    const std::vector<std::string> names = BackupNames();
    ASSERT_EQ(names.size(), kKeptBackupDays + 1);
    EXPECT_EQ(names.front(), "2024-01-01-before-restore"); // not a day folder: kept
    EXPECT_EQ(names[1], "2024-03-03");
    EXPECT_EQ(names.back(), "2024-03-16");
    EXPECT_FALSE(fs::exists(folder_.Path() / "Backups" / "2024-03-02"));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(DailyBackupTest, AFailingBackupIsReportedOnceADayAndTheSaveGoesOn) {
    SaveOn("2024-03-01 08:00:00.000");
    test::WriteFile(folder_.File("Backups"), "a file where the folder belongs");

    SaveOn("2024-03-02 08:00:00.000");
    SaveOn("2024-03-02 09:00:00.000");
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find("Backups"), std::string::npos) << errors_[0];
    MessageList stored(list_.DataFileName());
    stored.LoadMessages(clock_, ScreenSize{});
    EXPECT_EQ(stored.Count(), 3u);

    SaveOn("2024-03-03 08:00:00.000");
    EXPECT_EQ(errors_.size(), 2u);
}

} // namespace
} // namespace zandrel
