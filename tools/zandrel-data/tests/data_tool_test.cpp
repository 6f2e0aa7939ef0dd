#include "tools/zandrel-data/data_tool.h"

#include "storage/core/message_list.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <sstream>

namespace zandrel {
namespace {

using test::At;
using test::FakeClock;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

constexpr const char* kNow = "2024-03-05 10:00:00.000";
constexpr const char* kRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial;}}\\f0 Buy caf\\'e9 "
    "{\\f1\\'ec\\'ee\\'eb\\'ee\\'ea\\'ee}\\par {\\b milk \\u8364?2}\\par\r\n}";

struct Result {
    int Status;
    std::string Out;
    std::string Err;
};

Result RunTool(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const FakeClock unused(At("1999-01-01 00:00:00.000"));
    const int status = RunDataTool(args, out, err, unused);
    return {status, out.str(), err.str()};
}

// Two messages whose load changes nothing at kNow: kind "Never" with the
// warning at the start, usable positions, stamps after the year 1000.
void WriteFolder(const TempFolder& folder) {
    const FakeClock clock(At("2024-03-01 08:30:00.000"), 0.001);
    MessageList list(folder.File("ZandrelData.dat"));
    for (int i = 0; i < 2; ++i) {
        auto entry = std::make_unique<TMessageEntry>(clock, list.DataFileName());
        entry->Record.StartDate = At("2024-03-01 08:30:00.000") + 0.1 * i;
        entry->Record.AlarmDate = entry->Record.StartDate + 1;
        entry->Record.NextWarn = entry->Record.StartDate;
        entry->SetPosition(false, 100, 200);
        entry->Record.Reserved286[5] = 0xAB;
        entry->Key = MakeKey(entry->Record.Stamp);
        entry->RichText = kRtf;
        entry->Notify = i;
        if (i == 1)
            entry->Addresses = {"ana@example.org", "jos\xe9@example.org"};
        list.Append(std::move(entry));
    }
    list.SaveMessages();
}

TEST(DataToolTest, DumpPrintsEveryFieldWithSeventeenDigitDates) {
    TempFolder folder;
    WriteFolder(folder);
    const Result r = RunTool({"dump", folder.Path().string(), "--now", kNow});
    ASSERT_EQ(r.Status, kExitOk) << r.Err;
    EXPECT_EQ(r.Err, "");

    const auto document = nlohmann::ordered_json::parse(r.Out);
    EXPECT_TRUE(document["error"].is_null());
    ASSERT_EQ(document["messages"].size(), 2u);
    const auto& second = document["messages"][1];
    std::vector<std::string> keys;
    for (const auto& member : second.items())
        keys.push_back(member.key());
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "StartDate", "AlarmDate", "NextWarn", "ShortText", "PosInvalid", "PosLeft",
                        "PosTop", "StampTime", "StampDate", "IncType", "KeepHidden", "Reserved272",
                        "Reserved286", "Key", "Notify", "AddressCount", "Addresses", "RichText"}));
    EXPECT_EQ(second["ShortText"], std::string(478, '0'));
    EXPECT_EQ(second["Reserved286"], "0000000000ab");
    EXPECT_EQ(second["PosLeft"], 100);
    EXPECT_EQ(second["Key"], std::to_string(second["StampDate"].get<int>()) + " " +
                                 std::to_string(second["StampTime"].get<int>()));
    EXPECT_EQ(second["Notify"], 1);
    EXPECT_EQ(second["AddressCount"], 2);
    EXPECT_EQ(second["Addresses"][1], "jos\xc3\xa9@example.org"); // Latin-1 read as UTF-8
    EXPECT_EQ(second["RichText"].get<std::string>().substr(0, 10), "7b5c727466");

    // The dates exactly as "%.17g" gives them, and they read back unchanged.
    const double start = At("2024-03-01 08:30:00.000") + 0.1;
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", start);
    EXPECT_EQ(std::strlen(text), 18u); // 17 digits and the point
    EXPECT_NE(r.Out.find(std::string("\"StartDate\":") + text + ","), std::string::npos);
    EXPECT_EQ(second["StartDate"].get<double>(), start);
}

TEST(DataToolTest, WithoutDataFileDumpPrintsAnEmptyListAndWritesNothing) {
    TempFolder folder;
    const Result r = RunTool({"dump", folder.Path().string(), "--now", kNow});
    EXPECT_EQ(r.Status, kExitOk);
    EXPECT_EQ(r.Out, "{\"messages\":[],\"error\":null}\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    // resave refuses rather than create an empty pair.
    EXPECT_EQ(RunTool({"resave", folder.Path().string()}).Status, kExitFailure);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(DataToolTest, ResaveOfACleanFolderKeepsEveryByte) {
    TempFolder folder;
    WriteFolder(folder);
    const std::string data = ReadFile(folder.File("ZandrelData.dat"));
    const std::string memo = ReadFile(folder.File("ZandrelData_Memo.dat"));
    // --screen is still accepted, and no place depends on it.
    const Result r =
        RunTool({"resave", folder.Path().string(), "--now", kNow, "--screen", "640x480"});
    EXPECT_EQ(r.Status, kExitOk) << r.Err;
    EXPECT_EQ(ReadFile(folder.File("ZandrelData.dat")), data);
    EXPECT_EQ(ReadFile(folder.File("ZandrelData_Memo.dat")), memo);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(DataToolTest, DamagedFilesAreReportedAndResaveCopiesThemAsideFirst) {
    TempFolder folder;
    WriteFolder(folder);
    const std::string damaged = ReadFile(folder.File("ZandrelData.dat")) + "cut short";
    WriteFile(folder.File("ZandrelData.dat"), damaged);

    const Result dump = RunTool({"dump", folder.Path().string(), "--now", kNow});
    EXPECT_EQ(dump.Status, kExitDamaged);
    EXPECT_NE(dump.Err.find("Stream read error"), std::string::npos);
    const auto document = nlohmann::json::parse(dump.Out);
    EXPECT_EQ(document["messages"].size(), 2u);
    EXPECT_NE(document["error"].get<std::string>().find("Stream read error"), std::string::npos);
    EXPECT_EQ(ReadFile(folder.File("ZandrelData.dat")), damaged); // dump writes nothing

    const Result resave = RunTool({"resave", folder.Path().string(), "--now", kNow});
    EXPECT_EQ(resave.Status, kExitDamaged);
    EXPECT_EQ(ReadFile(folder.File("ZandrelData.dat")).size(), 2 * sizeof(MessageRecord));
    EXPECT_EQ(ReadFile(folder.File("ZandrelData.dat.damaged-2024-03-05_10-00-00")), damaged);
}

TEST(DataToolTest, ExportShowsDatesKindsAndPlainText) {
    TempFolder folder;
    WriteFolder(folder);
    const Result text =
        RunTool({"export", folder.Path().string(), "--format", "text", "--now", kNow});
    ASSERT_EQ(text.Status, kExitOk) << text.Err;
    EXPECT_NE(text.Out.find("Starting date: 2024-03-01 08:30:00.000\n"), std::string::npos);
    EXPECT_NE(text.Out.find("Warning kind:  Never\n"), std::string::npos);
    EXPECT_NE(text.Out.find("Addresses:     ana@example.org, jos\xc3\xa9@example.org\n"),
              std::string::npos);
    EXPECT_NE(text.Out.find("Text:\n  Buy café молоко\n  milk €2\n"), std::string::npos);

    const Result json =
        RunTool({"export", folder.Path().string(), "--format", "json", "--now", kNow});
    ASSERT_EQ(json.Status, kExitOk) << json.Err;
    const auto message = nlohmann::json::parse(json.Out)["messages"][1];
    EXPECT_EQ(message["Text"], "Buy café молоко\nmilk €2");
    EXPECT_EQ(message["Kind"], "Never");
    EXPECT_EQ(message["AlarmDate"], "2024-03-02 10:54:00.000");
    EXPECT_EQ(message["Notify"], true);
    EXPECT_EQ(message["KeepHidden"], false);
}

TEST(DataToolTest, ExportShowsOnlyTheShortTextOfAMessageWithoutAStoredText) {
    TempFolder folder;
    WriteFolder(folder);
    std::string data = ReadFile(folder.File("ZandrelData.dat"));
    data[offsetof(MessageRecord, ShortText)] = 8;
    std::memcpy(data.data() + offsetof(MessageRecord, ShortText) + 1, "Call Ann", 8);
    WriteFile(folder.File("ZandrelData.dat"), data);
    std::remove(folder.File("ZandrelData_Memo.dat").c_str());
    const Result json =
        RunTool({"export", folder.Path().string(), "--format", "json", "--now", kNow});
    ASSERT_EQ(json.Status, kExitOk) << json.Err;
    EXPECT_EQ(nlohmann::json::parse(json.Out)["messages"][0]["Text"], "Call Ann");
}

TEST(DataToolTest, BadCommandLinesAndFoldersFailWithAMessage) {
    TempFolder folder;
    const std::string path = folder.Path().string();
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"list", path},
        {"dump"},
        {"dump", path, path},
        {"dump", path, "--now"},
        {"dump", path, "--now", "2024-02-30 10:00:00.000"},
        {"dump", path, "--screen", "1024"},
        {"dump", path, "--screen", "0x768"},
        {"dump", path, "--format", "json"},
        {"dump", path, "--verbose"},
        {"export", path},
        {"export", path, "--format", "xml"},
        {"dump", folder.File("missing")},
    };
    for (const auto& args : bad) {
        const Result r = RunTool(args);
        EXPECT_EQ(r.Status, kExitFailure) << ::testing::PrintToString(args);
        EXPECT_EQ(r.Err.rfind("zandrel-data: ", 0), 0u) << r.Err;
        EXPECT_EQ(r.Out, "");
    }
    // A data file that cannot be read is a failure, not an empty list.
    std::filesystem::create_directory(folder.File("ZandrelData.dat"));
    const Result unreadable = RunTool({"dump", path});
    EXPECT_EQ(unreadable.Status, kExitFailure);
    EXPECT_NE(unreadable.Err.find("ZandrelData.dat"), std::string::npos);
}

} // namespace
} // namespace zandrel
