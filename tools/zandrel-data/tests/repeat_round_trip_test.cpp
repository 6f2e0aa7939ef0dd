// The repeats kept beside the pair go wherever the pair goes: save and load,
// the daily backup and a restore, the export.
#include "storage/core/backups.h"
#include "storage/core/message_list.h"
#include "storage/core/tests/test_support.h"
#include "tools/zandrel-data/data_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace zandrel {
namespace {

using test::At;

TEST(RepeatRoundTripTest, SavedBackedUpRestoredAndExported) {
    const test::TempFolder folder;
    const std::string repeatFile = folder.File("ZandrelData_Repeat.dat");
    auto tool = [&](std::vector<std::string> args) {
        args.insert(args.begin() + 1, folder.Path().string());
        std::ostringstream out, err;
        RunDataTool(args, out, err, test::FakeClock(At("2024-03-09 12:00:00.000")));
        return out.str() + err.str();
    };
    test::FakeClock clock(At("2024-03-05 10:00:00.000"), 0.0001);
    MessageList list(folder.File("ZandrelData.dat"));
    DailyBackup backup;
    list.BeforeSave = [&] { backup.BeforeSave(list.DataFileName(), clock.now); };
    EditorValues values;
    values.StartDate = At("2024-01-30 09:00:00.000");
    values.AlarmDate = At("2024-01-31 09:00:00.000");
    values.Notify = true;
    values.Repeat = RepeatPeriod::Month;
    list.Add(clock, values);
    values.Repeat = RepeatPeriod::Week;
    list.Add(clock, values);
    list.New(clock, "{\\rtf1 once}");
    MessageList loaded(list.DataFileName());
    loaded.LoadMessages(clock);
    EXPECT_EQ(loaded.Entry(0).Repeat,
              (RepeatRule{RepeatPeriod::Month, 31, values.AlarmDate, true}));
    EXPECT_EQ(loaded.Entry(1).Repeat.Period, RepeatPeriod::Week);
    EXPECT_FALSE(loaded.Entry(2).Repeat.Repeats());
    const std::string repeats = test::ReadFile(repeatFile);
    EXPECT_NE(tool({"export", "--format", "json"}).find("\"Repeat\": \"Every month\""),
              std::string::npos);
    EXPECT_NE(tool({"export", "--format", "text"}).find("\nRepeat:        Every week\n"),
              std::string::npos);

    // The next day's first save backs up all three; a repeat leaves the
    // file with its message, and comes back with the restore.
    clock.now = At("2024-03-06 10:00:00.000");
    const std::string monthlyKey = list.Key(0);
    list.Delete();
    list.SaveMessages();
    EXPECT_EQ(test::ReadFile(repeatFile).find(monthlyKey), std::string::npos);
    tool({"restore", "2024-03-06"});
    EXPECT_EQ(test::ReadFile(repeatFile), repeats);

    // Once nothing repeats, the pair is alone again.
    for (std::size_t i = 0; i < list.Count(); ++i)
        list.Entry(i).Repeat = {};
    list.SaveMessages();
    EXPECT_FALSE(std::filesystem::exists(repeatFile));
}

} // namespace
} // namespace zandrel
