// The repeats kept beside the pair go wherever the pair goes: save and load,
// the daily backup and a restore, the export.
#include "storage/core/backups.h"
#include "storage/core/message_list.h"
#include "storage/core/repeat_file.h"
#include "storage/core/tests/test_support.h"
#include "tools/zandrel-data/data_tool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

namespace zandrel {
namespace {

using test::At;

std::string RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunDataTool(args, out, err, test::FakeClock(At("2024-03-09 12:00:00.000")));
    return status == kExitOk ? out.str() : "failed: " + err.str();
}

std::vector<RepeatRule> RulesIn(const std::string& dataFile, const Clock& clock) {
    MessageList list(dataFile);
    list.LoadMessages(clock);
    std::vector<RepeatRule> rules;
    for (const MessageListItem& item : list.Items())
        rules.push_back(item.Entry->Repeat);
    return rules;
}

TEST(RepeatRoundTripTest, SavedBackedUpRestoredAndExported) {
    const test::TempFolder folder;
    const std::string dataFile = folder.File("ZandrelData.dat");
    const std::string repeatFile = folder.File("ZandrelData_Repeat.dat");
    test::FakeClock clock(At("2024-03-05 10:00:00.000"), 0.0001);
    MessageList list(dataFile);
    DailyBackup backup;
    list.BeforeSave = [&] { backup.BeforeSave(dataFile, clock.now); };
    EditorValues values;
    values.StartDate = At("2024-01-30 09:00:00.000");
    values.AlarmDate = At("2024-01-31 09:00:00.000");
    values.Repeat = RepeatPeriod::Month;
    values.Notify = true;
    list.Add(clock, values);
    values.Repeat = RepeatPeriod::Week;
    values.Notify = false;
    list.Add(clock, values);
    list.New(clock, "{\\rtf1 once}");
    const std::vector<RepeatRule> saved{{RepeatPeriod::Month, 31, values.AlarmDate, true},
                                        {RepeatPeriod::Week, 31, values.AlarmDate, false},
                                        {}};
    EXPECT_EQ(RulesIn(dataFile, clock), saved);

    const auto json =
        nlohmann::json::parse(RunTool({"export", folder.Path().string(), "--format", "json"}));
    EXPECT_EQ(json["messages"][0]["Repeat"], "Every month");
    EXPECT_EQ(json["messages"][2]["Repeat"], "Never");
    EXPECT_NE(RunTool({"export", folder.Path().string(), "--format", "text"})
                  .find("Warning kind:  Never\nRepeat:        Every week\n"),
              std::string::npos);

    // The next day's first save backs up all three; the monthly one's
    // repeat leaves the file with its message.
    clock.now = At("2024-03-06 10:00:00.000");
    const std::string monthlyKey = list.Key(0);
    list.Delete();
    list.SaveMessages();
    EXPECT_EQ(test::ReadFile(repeatFile).find(monthlyKey), std::string::npos);
    EXPECT_EQ(RunTool({"restore", folder.Path().string(), "2024-03-06"}).find("failed"),
              std::string::npos);
    EXPECT_EQ(RulesIn(dataFile, clock), saved);
    // The copy the restore made of the pair it replaced has its repeats too.
    EXPECT_EQ(RulesIn(folder.File("Backups/2024-03-09-before-restore/ZandrelData.dat"), clock),
              std::vector<RepeatRule>({saved[1], saved[2]}));

    // Once nothing repeats, the pair is alone again, and a resave keeps it so.
    list.LoadMessages(clock);
    for (std::size_t i = 0; i < list.Count(); ++i)
        list.Entry(i).Repeat = {};
    list.SaveMessages();
    EXPECT_FALSE(std::filesystem::exists(repeatFile));
    EXPECT_EQ(RunTool({"resave", folder.Path().string()}).find("failed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(repeatFile));
}

} // namespace
} // namespace zandrel
