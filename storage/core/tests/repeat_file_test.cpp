#include "storage/core/repeat_file.h"

#include "storage/core/storage_error.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

using test::At;

constexpr const char* kGood = "Zandrel repeats 1\r\n"
                              "730120 1\tmonth\t31\t2024-01-31 09:00:00.000\t1\r\n";

TEST(RepeatFileTest, WhatCannotBeReadIsNamed) {
    const struct {
        std::string Bytes;
        const char* Error;
    } rows[] = {
        {"", nullptr},
        {kGood, nullptr},
        {"Zandrel repeats 2\r\nanything", "written by a newer Zandrel (\"Zandrel repeats 2\")"},
        {"\x7f"
         "ELF",
         "line 1: not a file of repeats"},
        {std::string(kGood) + "\n730120 2\tday\t1\n", "line 4: 5 fields separated by tabs"},
        {std::string(kGood) + "730120 2\tfortnight\t1\t2024-01-31 09:00:00.000\t0",
         "line 3: unknown period \"fortnight\""},
        {std::string(kGood) + "730120 2\tyear\t32\t2024-01-31 09:00:00.000\t0",
         "line 3: the day of the month is 1 to 31, not \"32\""},
        {std::string(kGood) + "730120 2\tyear\t1\t2024-02-30 09:00:00.000\t0",
         "line 3: the due moment"},
        {std::string(kGood) + "730120 2\tyear\t1\t2024-01-31 09:00:00.000\tyes",
         "line 3: mail is 0 or 1, not \"yes\""},
        {std::string(kGood) + "\tyear\t1\t2024-01-31 09:00:00.000\t1", "line 3: no Key"},
    };
    for (const auto& row : rows) {
        const RepeatFileContent content = ParseRepeatFile(row.Bytes);
        ASSERT_EQ(content.Error.has_value(), row.Error != nullptr) << row.Bytes;
        if (row.Error) {
            EXPECT_EQ(content.Error->rfind(row.Error, 0), 0u) << *content.Error;
        }
        // The good line counts whatever follows it.
        if (row.Bytes.starts_with(kGood)) {
            EXPECT_EQ(content.Rules.at("730120 1").Period, RepeatPeriod::Month) << row.Bytes;
        }
    }
}

// A bad file costs nothing: the messages load with the repeats that could be
// read, and the file as found is kept before the next save writes a new one.
TEST(RepeatFileTest, ABadFileIsReportedAndKeptAside) {
    const test::TempFolder folder;
    test::FakeClock clock(At("2024-03-05 10:00:00.000"), 0.0001);
    MessageList list(folder.File("ZandrelData.dat"));
    for (int i = 0; i < 2; ++i)
        list.New(clock, "{\\rtf1 note}").Repeat = {RepeatPeriod::Day, 5, clock.now, false};
    list.SaveMessages();
    clock.step = 0;
    clock.now = At("2024-03-05 11:00:00.000");
    const std::string bad = test::ReadFile(folder.File("ZandrelData_Repeat.dat")) + "junk\r\n";
    test::WriteFile(folder.File("ZandrelData_Repeat.dat"), bad);

    try {
        list.LoadMessages(clock);
        FAIL() << "no error";
    } catch (const StorageError& error) {
        EXPECT_NE(std::string(error.what())
                      .find("ZandrelData_Repeat.dat\" could not all be read "
                            "(line 4: 5 fields separated by tabs"),
                  std::string::npos)
            << error.what();
    }
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Entry(1).Repeat.Period, RepeatPeriod::Day);
    list.SaveMessages();
    EXPECT_EQ(test::ReadFile(folder.File("ZandrelData_Repeat.dat.damaged-2024-03-05_11-00-00")),
              bad);
    EXPECT_EQ(test::ReadFile(folder.File("ZandrelData_Repeat.dat")) + "junk\r\n", bad);

    // A save that stopped after putting the data file in place left the
    // repeat file that belongs to it pending: that one is read.
    test::WriteFile(folder.File("ZandrelData_Repeat.dat.new"), "");
    list.LoadMessages(clock);
    EXPECT_FALSE(list.Entry(1).Repeat.Repeats());
}

} // namespace
} // namespace zandrel
