#include "storage/core/unit_entry.h"

#include "storage/core/storage_error.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace zandrel {
namespace {

using test::At;
using test::FakeClock;

constexpr double kMs = 1.0 / kMsPerDay;

TEST(MessageEntry, ConstructorGivesTheDefaults) {
    const TDateTime now = At("2026-12-07 20:15:03.250");
    const FakeClock clock(now);
    const TMessageEntry entry(clock, "/data/ZandrelData.dat");
    EXPECT_EQ(entry.Record.StartDate, now);
    EXPECT_EQ(entry.Record.AlarmDate, now + 1.0);
    EXPECT_EQ(entry.Record.NextWarn, now + 1.0 / 24);
    EXPECT_EQ(MakeKey(entry.Record.Stamp), MakeKey(DateTimeToTimeStamp(now)));
    EXPECT_EQ(entry.Key, "");
    EXPECT_EQ(entry.MemoPath, "/data/ZandrelData_Memo.dat");
    EXPECT_EQ(entry.Record.IncType, 0);
    EXPECT_EQ(entry.StickerHandle, 0u);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&entry.Record);
    for (std::size_t offset = 16; offset < 264; ++offset)
        EXPECT_EQ(bytes[offset], 0) << offset;
    for (std::size_t offset = 272; offset < 276; ++offset)
        EXPECT_EQ(bytes[offset], 0) << offset;
    for (std::size_t offset = 284; offset < 292; ++offset)
        EXPECT_EQ(bytes[offset], 0) << offset;
}

TEST(MessageEntry, MemoPathFollowsTheDataFileFolder) {
    EXPECT_EQ(MemoPathFor("ZandrelData.dat"), "ZandrelData_Memo.dat");
    EXPECT_EQ(MemoPathFor("a/b/ZandrelData.dat"), "a/b/ZandrelData_Memo.dat");
#ifdef _WIN32
    EXPECT_EQ(MemoPathFor("C:\\Program Files\\Zandrel\\ZandrelData.dat"),
              "C:\\Program Files\\Zandrel\\ZandrelData_Memo.dat");
    EXPECT_EQ(MemoPathFor("C:ZandrelData.dat"), "C:ZandrelData_Memo.dat");
#endif
}

TEST(MessageEntry, SettersKeepAlarmAndNextWarnFromPrecedingTheStart) {
    const FakeClock clock(1000.0);
    TMessageEntry entry(clock, "ZandrelData.dat");
    entry.SetStartDate(1005.5);
    EXPECT_EQ(entry.Record.AlarmDate, 1005.5);
    EXPECT_EQ(entry.Record.NextWarn, 1005.5);
    entry.SetAlarmDate(1005.5); // not later: ignored
    EXPECT_EQ(entry.Record.AlarmDate, 1005.5);
    entry.SetAlarmDate(1006.0);
    EXPECT_EQ(entry.Record.AlarmDate, 1006.0);
    entry.SetStartDate(1000.5); // earlier start leaves the later moments
    EXPECT_EQ(entry.Record.AlarmDate, 1006.0);
    EXPECT_EQ(entry.Record.NextWarn, 1005.5);
}

TEST(MessageEntry, SetIncTypeIgnoresValuesOutsideTheFourKinds) {
    const FakeClock clock(1000.0);
    TMessageEntry entry(clock, "ZandrelData.dat");
    entry.SetIncType(2, clock);
    for (std::uint8_t k : {4, 127, 128, 255}) {
        entry.SetIncType(k, clock);
        EXPECT_EQ(entry.Record.IncType, 2) << int(k);
    }
}

// A place on any monitor of the virtual screen stays usable, whether or not
// that monitor is there now: left of the primary one, right of it, above it.
TEST(MessageEntry, CheckPositionMarksOnlyPlacesNoMonitorCouldShow) {
    const FakeClock clock(1000.0);
    TMessageEntry entry(clock, "ZandrelData.dat");
    const struct {
        std::int32_t left, top;
        bool invalid;
    } cases[] = {{1, 1, false},         {0, 100, false},      {100, 0, false},
                 {2500, 900, false},    {-1500, 200, false},  {-32768, -32768, false},
                 {32737, 32737, false}, {32738, 100, true},   {100, 32738, true},
                 {-32769, 5, true},     {INT32_MIN, 5, true}, {0, 0, true}};
    for (const auto& c : cases) {
        entry.SetPosition(false, c.left, c.top);
        EXPECT_EQ(entry.Record.PosInvalid, c.invalid ? 1 : 0) << c.left << "," << c.top;
        EXPECT_EQ(StoredPlaceUsable(entry.Record), !c.invalid) << c.left << "," << c.top;
    }
    entry.SetPosition(true, 100, 100); // stays marked even when usable
    EXPECT_EQ(entry.Record.PosInvalid, 1);
    EXPECT_FALSE(StoredPlaceUsable(entry.Record));
}

TEST(MessageEntry, CloneCopiesTheMessageButNotItsSticker) {
    const FakeClock clock(1000.0);
    TMessageEntry entry(clock, "d/ZandrelData.dat");
    entry.Key = "k";
    entry.Notify = 1;
    entry.AddressCount = 2;
    entry.Addresses = {"a@b.c", "d@e.f"};
    entry.RichText = std::string("{\\rtf1 x}\0y", 11);
    entry.StickerHandle = 42;
    entry.Record.Reserved286[3] = 9;
    const auto copy = entry.Clone();
    EXPECT_EQ(std::memcmp(&copy->Record, &entry.Record, sizeof entry.Record), 0);
    EXPECT_EQ(copy->Key, "k");
    EXPECT_EQ(copy->Notify, 1);
    EXPECT_EQ(copy->Addresses, entry.Addresses);
    EXPECT_EQ(copy->RichText, entry.RichText);
    EXPECT_EQ(copy->DataPath, entry.DataPath);
    EXPECT_EQ(copy->MemoPath, entry.MemoPath);
    EXPECT_EQ(copy->StickerHandle, 0u);
    EXPECT_EQ(copy->AddressCount, 0);
}

class NextWarnTest : public ::testing::Test {
protected:
    TDateTime NextWarn(TDateTime start, std::uint8_t kind, TDateTime now) {
        const FakeClock clock(now);
        TMessageEntry entry(clock, "ZandrelData.dat");
        entry.SetStartDate(start);
        entry.SetIncType(kind, clock);
        return entry.Record.NextWarn;
    }
};

// From the start, the kind (0 never, 1 each hour, 2 each day, 3 each week)
// and the moment of the computation.
TEST_F(NextWarnTest, ComesAtTheNextStepOfItsKind) {
    const struct {
        const char* what;
        const char* start;
        std::uint8_t kind;
        const char* now;
        const char* expected;
        double tolerance;
    } cases[] = {
        {"each hour: steps short of an hour", "2026-03-02 09:00:00.000", 1,
         "2026-03-05 12:30:00.000", "2026-03-05 12:59:57.696", 0.5 * kMs},
        {"each hour: fired at the next tick after it, then recomputed", "2026-03-02 09:00:00.000",
         1, "2026-03-05 13:00:17.000", "2026-03-05 13:59:57.120", 0.5 * kMs},
        {"each week follows the day of the computation: Thursday 10:00, next Thursday",
         "2026-03-02 09:00:00.000", 3, "2026-03-05 10:00:00.000", "2026-03-12 09:00:00.000", kMs},
        {"each week: Thursday 08:00, next Wednesday", "2026-03-02 09:00:00.000", 3,
         "2026-03-05 08:00:00.000", "2026-03-11 09:00:00.000", kMs},
        {"each day at the start's time of day: today", "2026-03-04 18:00:00.000", 2,
         "2026-03-05 17:00:00.000", "2026-03-05 18:00:00.000", kMs},
        {"each day at the start's time of day: tomorrow", "2026-03-04 18:00:00.000", 2,
         "2026-03-05 18:00:20.000", "2026-03-06 18:00:00.000", kMs},
        {"never: at the start", "2026-03-04 18:00:00.000", 0, "2026-04-01 10:00:00.000",
         "2026-03-04 18:00:00.000", 0},
        {"a future start: at the start", "2026-03-04 18:00:00.000", 1, "2026-03-01 10:00:00.000",
         "2026-03-04 18:00:00.000", 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(NextWarn(At(c.start), c.kind, At(c.now)), At(c.expected), c.tolerance)
            << c.what;
    }
}

TEST_F(NextWarnTest, ReadsTheClockAfreshAtEveryComparison) {
    // A clock that moves on 30 minutes per reading: the hourly loop must
    // chase it rather than compare with one reading.
    const FakeClock clock(At("2026-03-04 09:10:00.000"), 1.0 / 48);
    TMessageEntry entry(clock, "ZandrelData.dat");
    entry.SetStartDate(At("2026-03-04 09:00:00.000"));
    entry.SetIncType(1, clock);
    EXPECT_GT(entry.Record.NextWarn, At("2026-03-04 10:30:00.000"));
}

TEST_F(NextWarnTest, MatchesAddingTheDaysOneByOne) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> starts(-5000, 46400);
    std::vector<TDateTime> samples = {-1.0, -0.999999, -1e-9,           0.0,     1e-9,   0.5,
                                      1.0,  2047.75,   32767.999999999, 32768.0, 0.04166};
    for (int i = 0; i < 300; ++i)
        samples.push_back(starts(random));
    const TDateTime now = At("2026-12-07 20:15:03.250");
    for (const TDateTime start : samples) {
        TDateTime expected = start;
        while (now - 1 > expected)
            expected += 1;
        while (now > expected)
            expected += kHourStep;
        EXPECT_EQ(NextWarn(start, 1, now), expected) << start;
    }
}

TEST_F(NextWarnTest, DamagedStartDatesEndQuickly) {
    const TDateTime now = At("2026-03-04 09:10:00.000");
    for (TDateTime start : {-1e300, -1e17, -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(), -700000.0}) {
        const FakeClock clock(now);
        TMessageEntry entry(clock, "ZandrelData.dat");
        entry.Record.StartDate = start;
        entry.Record.IncType = 2;
        entry.ComputeNextWarn(clock);
        if (std::isfinite(start)) {
            EXPECT_GT(entry.Record.NextWarn, now) << start;
            EXPECT_LE(entry.Record.NextWarn, now + 1) << start;
        }
    }
}

TEST(MessageEntryLoad, AppliesTheFixUpsAndTheFallbackText) {
    const FakeClock clock(At("2026-03-04 09:10:00.000"));
    MessageRecord record{};
    record.StartDate = 46000.5;
    record.AlarmDate = 46000.0; // earlier than the start
    std::memcpy(record.ShortText, "\x05hello", 6);
    record.PosLeft = 0; // (0, 0): no place yet
    record.PosTop = 0;
    record.NextWarn = 123.0;
    record.IncType = 9; // unknown kind: NextWarn stays as read
    record.Stamp = {5, 730120};
    record.Reserved272[1] = 0xAA;
    record.Reserved286[5] = 0xBB;
    const std::string bytes(reinterpret_cast<const char*>(&record), sizeof record);

    StampRenewal stamps;
    ByteReader reader(bytes);
    TMessageEntry entry(clock, "ZandrelData.dat");
    entry.LoadFromStream(reader, {clock, nullptr, stamps});
    EXPECT_EQ(entry.Key, "730120 5");
    EXPECT_EQ(entry.Record.AlarmDate, 46000.5);
    EXPECT_EQ(entry.Record.PosInvalid, 1);
    EXPECT_EQ(entry.Record.NextWarn, 123.0);
    EXPECT_EQ(entry.Record.IncType, 9);
    EXPECT_EQ(entry.Record.Reserved272[1], 0xAA);
    EXPECT_EQ(entry.Record.Reserved286[5], 0xBB);
    ASSERT_EQ(entry.RichText.size(), 255u);
    EXPECT_EQ(entry.RichText, std::string(reinterpret_cast<const char*>(&entry.Record) + 16, 255));
    EXPECT_EQ(entry.RichText.substr(0, 6), "\x05hello");
    EXPECT_EQ(entry.RichText[239], 1); // PosInvalid as fixed up
    EXPECT_THROW(entry.LoadFromStream(reader, {clock, nullptr, stamps}), StorageError);
}

TEST(MessageEntryLoad, RenewedStampsOfOneLoadAreDistinct) {
    const FakeClock clock(At("2026-03-04 09:10:00.000")); // frozen: every reading equal
    MessageRecord record{};
    record.StartDate = record.AlarmDate = 46000.0;
    std::string bytes;
    for (int i = 0; i < 3; ++i)
        bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    StampRenewal stamps;
    ByteReader reader(bytes);
    std::vector<std::string> keys;
    for (int i = 0; i < 3; ++i) {
        TMessageEntry entry(clock, "ZandrelData.dat");
        entry.LoadFromStream(reader, {clock, nullptr, stamps});
        keys.push_back(entry.Key);
    }
    const TimeStamp now = DateTimeToTimeStamp(clock.now);
    EXPECT_EQ(keys[0], MakeKey(now));
    EXPECT_EQ(keys[1], MakeKey({now.Time + 1, now.Date}));
    EXPECT_EQ(keys[2], MakeKey({now.Time + 2, now.Date}));
}

} // namespace
} // namespace zandrel
