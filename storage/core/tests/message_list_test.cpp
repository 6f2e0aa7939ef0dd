#include "storage/core/message_list.h"
#include "storage/core/repeat_file.h"

#include "storage/core/storage_error.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

namespace zandrel {
namespace {

using test::At;
using test::FakeClock;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

class MessageListTest : public ::testing::Test {
protected:
    std::string DataPath() const { return folder.File("ZandrelData.dat"); }
    std::string MemoPath() const { return folder.File("ZandrelData_Memo.dat"); }

    EditorValues Values(TDateTime start, TDateTime alarm, std::string text) const {
        EditorValues values;
        values.StartDate = start;
        values.AlarmDate = alarm;
        values.IncType = 0;
        values.RichText = std::move(text);
        return values;
    }

    // A list saved with `count` messages, each with its own text.
    void SaveMessagesOf(int count) {
        MessageList list(DataPath());
        for (int i = 0; i < count; ++i) {
            list.Add(clock, Values(clock.now, clock.now, "text " + std::to_string(i)));
            clock.now += 1.0 / 86400; // one second: distinct stamps
        }
    }

    TempFolder folder;
    FakeClock clock{At("2026-03-04 09:10:00.000")};
};

TEST_F(MessageListTest, MissingOrEmptyFilesGiveAnEmptyList) {
#ifdef _WIN32
    ASSERT_NE(DataPath().find('\\'), std::string::npos)
        << "Windows paths are spelt with backslashes";
#endif
    MessageList list(DataPath());
    list.LoadMessages(clock);
    EXPECT_TRUE(list.Empty());
    WriteFile(DataPath(), "");
    list.LoadMessages(clock);
    EXPECT_TRUE(list.Empty());
    list.SaveMessages();
    EXPECT_EQ(ReadFile(DataPath()), "");
    EXPECT_EQ(ReadFile(MemoPath()), "");
    EXPECT_TRUE(std::filesystem::exists(MemoPath()));
}

TEST_F(MessageListTest, RandomMessagesComeBackAsSaved) {
    std::mt19937 random(20261207);
    auto byte = [&] { return static_cast<char>(random() & 0xFF); };
    MessageList list(DataPath());
    for (int i = 0; i < 60; ++i) {
        auto entry = std::make_unique<TMessageEntry>(clock, DataPath());
        auto& r = entry->Record;
        r.StartDate =
            clock.now + static_cast<int>(random() % 2000) - 1000 + (random() % 1000) / 1000.0;
        r.AlarmDate = r.StartDate + (random() % 2 ? 1.5 : -0.5); // some before the start
        r.NextWarn = 40000.0 + random() % 1000;
        for (auto& c : r.ShortText)
            c = static_cast<std::uint8_t>(byte());
        r.PosInvalid = random() % 2;
        r.PosLeft = static_cast<std::int32_t>(random() % 1400) - 50;
        r.PosTop = static_cast<std::int32_t>(random() % 1100) - 50;
        for (auto& c : r.Reserved272)
            c = static_cast<std::uint8_t>(byte());
        for (auto& c : r.Reserved286)
            c = static_cast<std::uint8_t>(byte());
        r.Stamp = {static_cast<std::int32_t>(random() % kMsPerDay), 735000 + i};
        r.IncType = static_cast<std::uint8_t>(random() % 6); // 4 and 5: unknown kinds
        r.KeepHidden = random() % 2;
        entry->Key = MakeKey(r.Stamp);
        entry->Notify = static_cast<std::int32_t>(random() % 3);
        const std::size_t textSize = 1 + random() % 3000;
        for (std::size_t k = 0; k < textSize; ++k)
            entry->RichText += byte();
        for (unsigned a = random() % 4; a > 0; --a) {
            std::string address = "\xE9t\xE9" + std::to_string(random()) + "@\xFC.example";
            entry->Addresses.push_back(address);
        }
        list.Append(std::move(entry));
    }
    list.SaveMessages();
    const std::string savedData = ReadFile(DataPath());
    ASSERT_EQ(savedData.size(), 60u * 292);

    MessageList loaded(DataPath());
    loaded.LoadMessages(clock);
    ASSERT_EQ(loaded.Count(), 60u);
    for (std::size_t i = 0; i < 60; ++i) {
        TMessageEntry& before = list.Entry(i);
        TMessageEntry& after = loaded.Entry(i);
        // Expected after load: the position check, and NextWarn for known kinds.
        before.CheckPosition();
        before.SetIncType(before.Record.IncType, clock);
        EXPECT_EQ(std::memcmp(&before.Record, &after.Record, sizeof before.Record), 0) << i;
        EXPECT_GE(after.Record.AlarmDate, after.Record.StartDate);
        EXPECT_EQ(loaded.Key(i), before.Key);
        EXPECT_EQ(after.Key, before.Key);
        EXPECT_EQ(after.RichText, before.RichText);
        EXPECT_EQ(after.Addresses, before.Addresses);
        EXPECT_EQ(after.AddressCount, static_cast<std::int32_t>(before.Addresses.size()));
        EXPECT_EQ(after.Notify, before.Notify);
        EXPECT_EQ(after.DataPath, DataPath());
    }
    // Saving again changes nothing but the fix-ups already applied above.
    loaded.SaveMessages();
    std::string expectedData, expectedMemo;
    list.SaveToBytes(expectedData, expectedMemo);
    EXPECT_EQ(ReadFile(DataPath()), expectedData);
    EXPECT_EQ(ReadFile(MemoPath()), expectedMemo);
}

TEST_F(MessageListTest, EntriesSharingAKeyTakeTheFirstBlock) {
    MessageList list(DataPath());
    for (const char* text : {"first", "second"}) {
        auto entry = std::make_unique<TMessageEntry>(clock, DataPath());
        entry->Key = MakeKey(entry->Record.Stamp);
        entry->RichText = text;
        entry->Notify = text[0] == 'f';
        entry->Addresses = {std::string(text) + "@x.y"};
        list.Append(std::move(entry));
    }
    list.SaveMessages();
    list.LoadMessages(clock);
    ASSERT_EQ(list.Count(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(list.Entry(i).RichText, "first");
        EXPECT_EQ(list.Entry(i).Notify, 1);
        EXPECT_EQ(list.Entry(i).Addresses, std::vector<std::string>{"first@x.y"});
    }
}

TEST_F(MessageListTest, WithoutTheRichTextFileEveryEntryGetsItsFallback) {
    SaveMessagesOf(2);
    std::filesystem::remove(MemoPath());
    MessageList list(DataPath());
    list.LoadMessages(clock);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Entry(0).RichText.size(), 255u);
    EXPECT_TRUE(list.Entry(0).Addresses.empty());
}

TEST_F(MessageListTest, NewAndAddAppendAndSave) {
    MessageList list(DataPath());
    TMessageEntry& created = list.New(clock, "{\\rtf1 Zandrel by Borvath}");
    list.SelectLast();
    EXPECT_EQ(list.CurrentIndex, 0);
    EXPECT_EQ(created.Key, MakeKey(DateTimeToTimeStamp(clock.now)));
    EXPECT_EQ(created.Record.AlarmDate, clock.now + 1);

    clock.now += 0.5;
    const TDateTime start = clock.now + 3;
    // Alarm at the start: not taken, the default (now + 1) raised to the start.
    TMessageEntry& added = list.Add(clock, Values(start, start, "added"));
    EXPECT_EQ(added.Record.StartDate, start);
    EXPECT_EQ(added.Record.AlarmDate, start);
    EXPECT_EQ(added.Key, MakeKey(DateTimeToTimeStamp(clock.now)));
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Key(1), added.Key);
    EXPECT_EQ(ReadFile(DataPath()).size(), 2u * 292);

    TMessageEntry& soon = list.Add(clock, Values(clock.now - 2, clock.now - 3, "past"));
    EXPECT_EQ(soon.Record.AlarmDate, clock.now + 1);
}

TEST_F(MessageListTest, ReplaceKeepsIdentityAndStoresOnlyTheNewText) {
    MessageList list(DataPath());
    list.Add(clock, Values(clock.now, clock.now + 2, std::string(500, 'o')));
    list.Entry(0).SetKeepHidden(true);
    const std::string key = list.Key(0);
    list.CurrentIndex = 0;
    clock.now += 1;
    const auto replaced = list.Replace(clock, Values(clock.now + 5, clock.now, "new"));
    ASSERT_TRUE(replaced);
    EXPECT_EQ(*replaced, key);
    const TMessageEntry& copy = list.Entry(0);
    EXPECT_EQ(copy.Key, key);
    EXPECT_EQ(copy.RichText, "new");
    EXPECT_EQ(copy.Record.KeepHidden, 1);
    EXPECT_EQ(copy.Record.StartDate, clock.now + 5);
    EXPECT_EQ(copy.Record.AlarmDate, clock.now + 5); // old alarm raised to the start

    MessageList loaded(DataPath());
    loaded.LoadMessages(clock);
    EXPECT_EQ(loaded.Entry(0).RichText, "new");
}

TEST_F(MessageListTest, ReplaceOfASharedKeySelectsTheFirst) {
    MessageList list(DataPath());
    list.Add(clock, Values(clock.now, clock.now, "a"));
    list.Add(clock, Values(clock.now, clock.now, "b")); // same clock: same Key
    ASSERT_EQ(list.Key(0), list.Key(1));
    list.CurrentIndex = 1;
    ASSERT_TRUE(list.Replace(clock, Values(clock.now, clock.now, "b2")));
    EXPECT_EQ(list.Entry(1).RichText, "b2");
    list.SelectLast(); // the sticker rebuild
    list.SelectKey(list.Key(1));
    EXPECT_EQ(list.CurrentIndex, 0);

    list.CurrentIndex = 5;
    EXPECT_FALSE(list.Replace(clock, Values(clock.now, clock.now, "x")));
}

TEST_F(MessageListTest, NavigationAndDeleteFollowTheirClamps) {
    MessageList list(DataPath());
    list.Delete(); // empty: nothing
    EXPECT_EQ(list.CurrentIndex, 0);
    list.Add(clock, Values(clock.now, clock.now, "a"));
    list.Next();
    EXPECT_EQ(list.CurrentIndex, 0);
    list.Prev();
    EXPECT_EQ(list.CurrentIndex, 0);
    clock.now += 1;
    list.Add(clock, Values(clock.now, clock.now, "b"));
    list.Next();
    list.Next();
    EXPECT_EQ(list.CurrentIndex, 1);

    list.CurrentIndex = 7;
    list.Delete(); // past the end: nothing removed, first selected
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.CurrentIndex, 0);
    list.Delete();
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Entry(0).RichText, "b");
    list.SelectLast();
    list.Delete();
    list.SaveMessages();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(ReadFile(DataPath()), "");
    EXPECT_EQ(ReadFile(MemoPath()), "");
}

TEST_F(MessageListTest, AFailedSaveLeavesThePreviousPair) {
    SaveMessagesOf(3);
    const std::string oldData = ReadFile(DataPath());
    const std::string oldMemo = ReadFile(MemoPath());
    MessageList list(DataPath());
    list.WriterTag = "w1";
    list.LoadMessages(clock);
    list.Entry(0).RichText = "changed";

    // A folder where a new file should go makes that write fail: first the
    // data file's (after the rich-text file is written), then the rich-text file's.
    for (const std::string& blocked : {DataPath() + ".w1.new", MemoPath() + ".w1.new"}) {
        std::filesystem::create_directory(blocked);
        try {
            list.SaveMessages();
            ADD_FAILURE() << "the save went through";
        } catch (const StorageError& error) {
            EXPECT_NE(std::string(error.what()).find(blocked), std::string::npos) << error.what();
        }
        EXPECT_EQ(ReadFile(DataPath()), oldData);
        EXPECT_EQ(ReadFile(MemoPath()), oldMemo);
        MessageList reloaded(DataPath());
        reloaded.LoadMessages(clock);
        EXPECT_EQ(reloaded.Entry(0).RichText, "text 0");
        std::filesystem::remove(blocked);
    }
    EXPECT_FALSE(std::filesystem::exists(DataPath() + ".w1.new"));
    EXPECT_FALSE(std::filesystem::exists(MemoPath() + ".w1.new"));
    list.SaveMessages();
    EXPECT_EQ(ReadFile(DataPath()).size(), oldData.size());
    EXPECT_FALSE(std::filesystem::exists(DataPath() + ".w1.new"));
}

TEST_F(MessageListTest, ASaveStoppedBetweenItsRenamesLoadsTheNewPair) {
    SaveMessagesOf(2);
    MessageList list(DataPath());
    list.LoadMessages(clock);
    list.Add(clock, Values(clock.now, clock.now, "third"));
    list.Entry(2).Repeat = {RepeatPeriod::Week, 4, clock.now, false};
    // What the disk holds after the rich-text file was put in place: the
    // new data file and repeat file still beside the old ones.
    std::string data, memo;
    list.SaveToBytes(data, memo);
    WriteFile(DataPath(), std::string(ReadFile(DataPath())).substr(0, 292));
    WriteFile(DataPath() + ".w2.new", data);
    WriteFile(RepeatPathFor(DataPath()) + ".w2.new", RepeatFileBytes(list.Items()));
    WriteFile(MemoPath(), memo);
    MessageList recovered(DataPath());
    int pauses = 0;
    recovered.Pause = [&pauses] { ++pauses; };
    recovered.LoadMessages(clock);
    EXPECT_EQ(pauses, 1) << "read again once; the same halves twice are believed";
    ASSERT_EQ(recovered.Count(), 3u);
    EXPECT_EQ(recovered.Entry(2).RichText, "third");
    EXPECT_EQ(recovered.Entry(2).Repeat.Period, RepeatPeriod::Week);

    // While the rich-text file's new copy exists, nothing was replaced yet:
    // the halves come from two saves, and are copied aside before a save.
    WriteFile(MemoPath() + ".w2.new", "partial");
    EXPECT_THROW(recovered.LoadMessages(clock), StorageError);
    EXPECT_EQ(recovered.Count(), 1u);
    EXPECT_EQ(recovered.PendingDamagedCopies().size(), 2u);

    // The next save puts the pair in place and takes the stopped save's files away.
    std::filesystem::remove(MemoPath() + ".w2.new");
    recovered.LoadMessages(clock);
    recovered.SaveMessages();
    EXPECT_FALSE(std::filesystem::exists(DataPath() + ".w2.new"));
    EXPECT_FALSE(std::filesystem::exists(RepeatPathFor(DataPath()) + ".w2.new"));
    EXPECT_EQ(ReadFile(RepeatPathFor(DataPath())), RepeatFileBytes(list.Items()));
}

TEST_F(MessageListTest, DamagedFilesAreCopiedAsideBeforeTheNextSave) {
    SaveMessagesOf(3);
    std::string data = ReadFile(DataPath());
    data.resize(2 * 292 + 100); // the last record cut short
    WriteFile(DataPath(), data);
    const std::string memo = ReadFile(MemoPath());

    MessageList list(DataPath());
    std::string report;
    try {
        list.LoadMessages(clock);
    } catch (const StorageError& error) {
        report = error.what();
    }
    EXPECT_EQ(report.rfind("Stream read error", 0), 0u) << report;
    EXPECT_EQ(list.Count(), 2u);
    ASSERT_EQ(list.PendingDamagedCopies().size(), 2u);
    const std::string dataCopy = list.PendingDamagedCopies()[0].To;
    const std::string memoCopy = list.PendingDamagedCopies()[1].To;
    EXPECT_EQ(dataCopy, DataPath() + ".damaged-2026-03-04_09-10-03"); // the clock after three saves
    EXPECT_NE(report.find(dataCopy), std::string::npos) << report;
    EXPECT_NE(report.find(memoCopy), std::string::npos) << report;
    EXPECT_FALSE(std::filesystem::exists(dataCopy)); // loading writes nothing

    list.SaveMessages();
    EXPECT_EQ(ReadFile(dataCopy), data);
    EXPECT_EQ(ReadFile(memoCopy), memo);
    EXPECT_EQ(ReadFile(DataPath()).size(), 2u * 292);
    EXPECT_TRUE(list.PendingDamagedCopies().empty());
    list.SaveMessages(); // copies only once
    EXPECT_EQ(ReadFile(dataCopy), data);
}

TEST_F(MessageListTest, DamagedRichTextFailsTheFirstKeyBehindTheDamage) {
    SaveMessagesOf(3);
    std::string memo = ReadFile(MemoPath());
    // Blocks are 100 + 4 + 6 + 8 bytes; cut the second one short.
    memo.resize(118 + 50);
    WriteFile(MemoPath(), memo);
    MessageList list(DataPath());
    EXPECT_THROW(list.LoadMessages(clock), StorageError);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Entry(0).RichText, "text 0");
}

TEST_F(MessageListTest, AFileThatCannotBeReadIsNamed) {
    std::filesystem::create_directory(DataPath());
    MessageList list(DataPath());
    try {
        list.LoadMessages(clock);
        ADD_FAILURE() << "a folder loaded as a data file";
    } catch (const StorageError& error) {
        EXPECT_NE(std::string(error.what()).find(DataPath()), std::string::npos);
    }
}

} // namespace
} // namespace zandrel
