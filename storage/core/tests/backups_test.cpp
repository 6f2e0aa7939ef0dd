#include "storage/core/backups.h"

#include "storage/core/message_list.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zandrel {
namespace {

// Saves through the daily backup (what a backup holds: the tool's restore test).
class DailyBackupTest : public ::testing::Test {
protected:
    DailyBackupTest() {
        list_.BeforeSave = [this] {
            if (auto error = backup_.BeforeSave(list_.DataFileName(), clock_.now))
                errors_.push_back(*error);
        };
    }
    // Adds a message and saves at `moment`.
    void SaveAt(const std::string& moment) {
        clock_.now = test::At(moment.c_str());
        list_.New(clock_, "{\\rtf1 note " + std::to_string(list_.Count()) + "}");
    }

    const test::TempFolder folder_;
    test::FakeClock clock_{0};
    DailyBackup backup_;
    MessageList list_{folder_.File("ZandrelData.dat")};
    std::vector<std::string> errors_;
};

TEST_F(DailyBackupTest, TheFifteenthDayRemovesTheOldestDayOnly) {
    SaveAt("2024-03-01 08:00:00.000");
    const std::filesystem::path restoreCopy =
        folder_.Path() / "Backups" / "2024-01-01-before-restore";
    std::filesystem::create_directories(restoreCopy);
    std::filesystem::copy_file(folder_.Path() / "ZandrelData.dat", restoreCopy / "ZandrelData.dat");
    for (int day = 2; day <= 16; ++day)
        SaveAt("2024-03-" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
               " 08:00:00.000");
    const std::vector<BackupFolder> backups = ListBackups(list_.DataFileName());
    ASSERT_EQ(backups.size(), kKeptBackupDays + 1);
    EXPECT_EQ(backups[0].Name, "2024-01-01-before-restore");
    EXPECT_EQ(backups[1].Name, "2024-03-03");
    EXPECT_EQ(backups.back().Name, "2024-03-16");
    EXPECT_TRUE(errors_.empty());
}

TEST_F(DailyBackupTest, AFailingBackupIsReportedOnceADayAndTheSaveGoesOn) {
    SaveAt("2024-03-01 08:00:00.000");
    test::WriteFile(folder_.File("Backups"), "a file where the folder belongs");
    SaveAt("2024-03-02 08:00:00.000");
    SaveAt("2024-03-02 09:00:00.000");
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find("Backups"), std::string::npos) << errors_[0];
    EXPECT_EQ(std::filesystem::file_size(list_.DataFileName()), 3 * sizeof(MessageRecord));
    SaveAt("2024-03-03 08:00:00.000");
    EXPECT_EQ(errors_.size(), 2u);
    // A failed try does not use up the day's backup: the next save makes it.
    std::filesystem::remove(folder_.File("Backups"));
    SaveAt("2024-03-03 09:00:00.000");
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "Backups" / "2024-03-03"));
    EXPECT_EQ(errors_.size(), 2u);
}

} // namespace
} // namespace zandrel
