#include "storage/core/repeat_file.h"

#include "storage/core/storage_error.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

const std::string kGood =
    "Zandrel repeats 1\r\n730120 1\tmonth\t31\t2024-01-31 09:00:00.000\t1\r\n";

// The good lines count whatever follows them.
TEST(RepeatFileTest, WhatCannotBeReadIsNamed) {
    const std::pair<std::string, std::string> rows[] = {
        {"Zandrel repeats 2\r\n", "written by a newer Zandrel (\"Zandrel repeats 2\")"},
        {kGood + "\n2 2\tday\t1\n", "line 4: 5 fields separated by tabs expected, found 3"},
        {kGood + "2 2\tfortnight\t1\t2024-01-31 09:00:00.000\t0", "line 3: unknown period"},
    };
    for (const auto& [bytes, error] : rows) {
        const RepeatFileContent content = ParseRepeatFile(bytes);
        EXPECT_EQ(content.Error.value_or("none").rfind(error, 0), 0u) << content.Error.value_or("");
        EXPECT_EQ(content.Rules.size(), bytes.starts_with(kGood) ? 1u : 0u) << bytes;
    }
}

// A bad file costs nothing: the messages load with the repeats that could be
// read, and the file as found is kept before the next save writes a new one.
TEST(RepeatFileTest, ABadFileIsReportedAndKeptAside) {
    const test::TempFolder folder;
    const std::string repeatFile = folder.File("ZandrelData_Repeat.dat");
    test::FakeClock clock(test::At("2024-03-05 10:00:00.000"), 0.0001);
    MessageList list(folder.File("ZandrelData.dat"));
    for (int i = 0; i < 2; ++i)
        list.New(clock, "{\\rtf1 note}").Repeat = {RepeatPeriod::Day, 5, clock.now, false};
    list.SaveMessages();
    clock = test::FakeClock(test::At("2024-03-05 11:00:00.000"));
    const std::string bad = test::ReadFile(repeatFile) + "junk\r\n";
    test::WriteFile(repeatFile, bad);

    std::string error;
    try {
        list.LoadMessages(clock);
    } catch (const StorageError& e) {
        error = e.what();
    }
    EXPECT_NE(error.find("Repeat.dat\" could not all be read (line 4"), std::string::npos) << error;
    list.SaveMessages();
    EXPECT_EQ(test::ReadFile(repeatFile + ".damaged-2024-03-05_11-00-00"), bad);
    EXPECT_EQ(test::ReadFile(repeatFile) + "junk\r\n", bad);
}

} // namespace
} // namespace zandrel
