#include "storage/core/note_store.h"

#include "storage/core/tests/test_support.h"
#include "storage/core/writer_lock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace zandrel {
namespace {

#ifdef _WIN32
constexpr int kDiskFull = 112; // ERROR_DISK_FULL
#else
constexpr int kDiskFull = ENOSPC;
#endif

using test::At;
using test::TempFolder;

EditorValues Text(const std::string& text) {
    EditorValues values;
    values.IncType = 0;
    values.RichText = text;
    return values;
}

std::vector<std::string> Texts(const MessageList& list) {
    std::vector<std::string> texts;
    for (const MessageListItem& item : list.Items())
        texts.push_back(item.Entry->RichText);
    return texts;
}

// One program on the folder: its list and its store.
struct Program {
    Program(const std::string& dataFile, const Clock& clock, const std::string& unsaved)
        : list(dataFile), store(list, clock, unsaved, [this] { ++pauses; }) {
        store.Open();
    }
    MessageList list;
    int pauses = 0;
    NoteStore store;
};

class NoteStoreTest : public ::testing::Test {
protected:
    std::string DataFile() const { return folder.File("ZandrelData.dat"); }
    std::string UnsavedRoot() const { return folder.File("Unsaved"); }
    MessageList OnDisk() const {
        MessageList disk(DataFile());
        disk.LoadMessages(clock);
        return disk;
    }

    TempFolder folder;
    test::FakeClock clock{At("2026-05-01 10:00:00.000"), 1.0 / 86400};
};

TEST_F(NoteStoreTest, TwoProgramsOnOneFolderKeepEachOthersNotes) {
    Program first(DataFile(), clock, UnsavedRoot());
    Program second(DataFile(), clock, UnsavedRoot());
    first.list.Add(clock, Text("from the first"));
    second.list.Add(clock, Text("from the second"));
    first.store.Look();
    EXPECT_EQ(Texts(first.list), (std::vector<std::string>{"from the first", "from the second"}));
    EXPECT_TRUE(first.store.TakeEvent().ListChanged);
    EXPECT_EQ(Texts(OnDisk()), Texts(second.list));

    // The second deletes the first's note; the first replaces nothing meanwhile.
    second.list.CurrentIndex = 0;
    second.list.Delete();
    second.list.SaveMessages();
    first.store.Look();
    EXPECT_EQ(Texts(first.list), (std::vector<std::string>{"from the second"}));
    EXPECT_FALSE(first.store.Unsaved());
    EXPECT_TRUE(first.store.TakeEvent().ListChanged);
    first.store.Look(); // nothing changed: nothing to tell
    EXPECT_FALSE(first.store.TakeEvent().ListChanged);
    EXPECT_EQ(first.pauses + second.pauses, 0);
}

TEST_F(NoteStoreTest, AFailedSaveKeepsTheEditToldOnceAndTriedAtEveryTick) {
    Program program(DataFile(), clock, UnsavedRoot());
    program.list.Add(clock, Text("kept"));
    program.store.TakeEvent();
    clock.now += 1; // the day's backup goes with the next save
    file_ops::SetWriteFaults([](const std::string&) {
        return file_ops::WriteFault{false, kDiskFull};
    });
    program.list.Add(clock, Text("not saved yet"));
    program.store.Look();
    const StoreEvent failed = program.store.TakeEvent();
    file_ops::SetWriteFaults(nullptr);
    EXPECT_TRUE(program.store.Unsaved());
    EXPECT_EQ(Texts(program.list), (std::vector<std::string>{"kept", "not saved yet"}));
    ASSERT_EQ(failed.Messages.size(), 1u) << "told once: not at every try, nor for the backup";
    EXPECT_NE(failed.Messages[0].find(MemoPathFor(DataFile())), std::string::npos)
        << failed.Messages[0];
    EXPECT_EQ(Texts(OnDisk()), (std::vector<std::string>{"kept"}));

    program.store.Look();
    EXPECT_FALSE(program.store.Unsaved());
    EXPECT_TRUE(program.store.TakeEvent().Messages.empty()) << "the backup went through too";
    EXPECT_EQ(Texts(OnDisk()), Texts(program.list));
}

TEST_F(NoteStoreTest, OneProgramWritesAtATimeAndAStoppedOnesLockIsTakenOver) {
    Program program(DataFile(), clock, UnsavedRoot());
    {
        const WriterLock other(DataFile(), nullptr); // another program saving
        program.list.Add(clock, Text("waits"));
        EXPECT_TRUE(program.store.Unsaved());
        EXPECT_EQ(program.pauses, kLockAttempts - 1);
        EXPECT_EQ(program.store.TakeEvent().Messages.size(), 1u);
    }
    program.store.Look();
    EXPECT_EQ(Texts(OnDisk()), (std::vector<std::string>{"waits"}));

    const std::string stale = DataFile() + ".lock";
    test::WriteFile(stale, "");
    std::filesystem::last_write_time(stale, std::filesystem::file_time_type::clock::now() -
                                                std::chrono::minutes(1));
    program.list.Add(clock, Text("after a program stopped while saving"));
    EXPECT_FALSE(program.store.Unsaved());
    EXPECT_FALSE(std::filesystem::exists(stale));
}

TEST_F(NoteStoreTest, FilesThatCannotBeReadAreNeverWrittenOver) {
    {
        Program earlier(DataFile(), clock, UnsavedRoot());
        earlier.list.Add(clock, Text("stored"));
    }
    const std::string memo = MemoPathFor(DataFile());
    std::filesystem::rename(memo, memo + ".away");
    std::filesystem::create_directory(memo); // a rich-text file no one can read

    Program program(DataFile(), clock, UnsavedRoot());
    EXPECT_TRUE(program.store.Unreadable());
    EXPECT_EQ(program.pauses, kOpenAttempts - 1);
    EXPECT_EQ(program.store.TakeEvent().Messages.size(), 1u);
    program.list.Add(clock, Text("added meanwhile"));
    program.store.Look();
    EXPECT_TRUE(program.store.Unsaved());
    EXPECT_TRUE(program.store.TakeEvent().Messages.empty()) << "the same failure, told once";

    std::filesystem::remove(memo);
    std::filesystem::rename(memo + ".away", memo);
    program.store.Look();
    EXPECT_FALSE(program.store.Unreadable());
    EXPECT_EQ(Texts(OnDisk()), (std::vector<std::string>{"stored", "added meanwhile"}));

    // Files that another program leaves unreadable after a save: the notes in
    // memory are no longer in them, and are kept as a save still owed.
    std::filesystem::rename(memo, memo + ".away");
    std::filesystem::create_directory(memo);
    program.store.Look();
    EXPECT_TRUE(program.store.Unreadable() && program.store.Unsaved());
}

TEST_F(NoteStoreTest, WhatTheEndCouldNotSaveComesBackAtTheNextStart) {
    std::string copy;
    {
        Program program(DataFile(), clock, UnsavedRoot());
        program.list.Add(clock, Text("saved"));
        std::filesystem::create_directory(DataFile() + "." + program.list.WriterTag + ".new");
        program.list.Add(clock, Text("unsaved"));
        copy = program.store.Close();
        std::filesystem::remove(DataFile() + "." + program.list.WriterTag + ".new");
    }
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(Texts(OnDisk()), (std::vector<std::string>{"saved"}));

    Program next(DataFile(), clock, UnsavedRoot());
    EXPECT_EQ(Texts(next.list), (std::vector<std::string>{"saved", "unsaved"}));
    const StoreEvent event = next.store.TakeEvent();
    ASSERT_EQ(event.Messages.size(), 1u);
    EXPECT_NE(event.Messages[0].find(copy), std::string::npos);
    EXPECT_EQ(Texts(OnDisk()), Texts(next.list));
    EXPECT_FALSE(std::filesystem::exists(copy));
}

} // namespace
} // namespace zandrel
