#include "storage/core/backups.h"
#include "storage/core/file_ops.h"
#include "storage/core/note_store.h"
#include "storage/core/unsaved_copies.h"

#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

// A folder named in three scripts, nested past the classic 260 characters,
// holds the notes, their backup and their unsaved copy like any other.
TEST(UnicodePathTest, NotesLiveInAFolderOfAnyNameAndLength) {
    const test::TempFolder temp;
    std::vector<std::string> folders{temp.File("Заметки 筆記 Łódź")};
    while (folders.back().size() < 300)
        folders.push_back(folders.back() + file_ops::kPathSeparator +
                          "Notizen für das Büro, Jahr 2026");
    for (const std::string& folder : folders)
        file_ops::MakeFolder(folder);
    const std::string dataFile = folders.back() + file_ops::kPathSeparator + "ZandrelData.dat";
    const std::string unsaved = folders.back() + file_ops::kPathSeparator + "Unsaved";
    const test::FakeClock clock(test::At("2026-05-01 10:00:00.000"), 1.0 / 86400);

    // Two starts: the second one's first save backs up the first one's.
    for (int start = 0; start < 2; ++start) {
        MessageList list(dataFile);
        NoteStore store(list, clock, unsaved, {});
        store.Open();
        EditorValues values;
        values.RichText = "Łódź 筆記";
        list.Add(clock, values);
        EXPECT_TRUE(store.TakeEvent().Messages.empty());
        EXPECT_FALSE(store.Unsaved());
    }
    MessageList loaded(dataFile);
    loaded.LoadMessages(clock);
    ASSERT_EQ(loaded.Count(), 2u);
    EXPECT_EQ(loaded.Entry(1).RichText, "Łódź 筆記");
    const std::vector<BackupFolder> backups = ListBackups(dataFile);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_TRUE(file_ops::FolderIdentity(folders.back()).has_value());
    const std::string copy = WriteUnsavedCopy(unsaved, loaded, BaseOf(loaded), clock.Now());
    EXPECT_EQ(UnsavedCopiesOf(unsaved, dataFile, clock).size(), 1u);

    // The system's own removal cannot reach that deep everywhere.
    RemoveUnsavedCopy(copy);
    file_ops::RemoveFolder(unsaved);
    for (const std::string& file : {backups[0].DataFile, MemoPathFor(backups[0].DataFile)})
        file_ops::RemoveQuietly(file);
    file_ops::RemoveFolder(file_ops::FolderOf(backups[0].DataFile));
    file_ops::RemoveFolder(BackupsFolderOf(dataFile));
    file_ops::RemoveQuietly(dataFile);
    file_ops::RemoveQuietly(MemoPathFor(dataFile));
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        file_ops::RemoveFolder(*folder);
    EXPECT_FALSE(file_ops::FolderExists(folders.front()));
}

} // namespace
} // namespace zandrel
