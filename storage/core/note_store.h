#pragma once
// The message list kept in step with its two files, which are the truth:
// another program on the same folder (another PC on a synced folder), a sync
// client or a restored backup may replace them at any time. The store
// remembers the version it last read or wrote, looks before every save, at
// every tick and when the main window opens (reading nothing while the
// files' sizes and times are unchanged), and merges a version it did not
// write into the list. It never writes over files it could not read; a
// failed save keeps every edit in memory and is tried again at every tick;
// at the end, what could not be saved goes to a folder of the user's own
// and comes back at the next start.
#include "storage/core/backups.h"
#include "storage/core/clock.h"
#include "storage/core/message_list.h"
#include "storage/core/note_merge.h"
#include "storage/core/pair_files.h"

#include <memory>
#include <string>
#include <vector>

namespace zandrel {

// What the program shows after store operations, gathered until taken.
struct StoreEvent {
    // The list changed under the program: the stickers are rebuilt, and the
    // editor stays on its note (CurrentIndex already follows it).
    bool ListChanged = false;
    // Entries that left the list; freed once the stickers no longer show them.
    std::vector<std::unique_ptr<TMessageEntry>> Removed;
    // What the user is told, each failure once.
    std::vector<std::string> Messages;
};

// How often a file that cannot be opened at start is tried, with a pause
// between tries.
inline constexpr int kOpenAttempts = 10;

class NoteStore {
public:
    // Takes over the list's saves (SaveHandler) and its daily backup
    // (BeforeSave). `unsavedRoot`: where unsaved notes go at the end; empty:
    // nowhere. `pause`: waits a moment between two reads.
    NoteStore(MessageList& list, const Clock& clock, std::string unsavedRoot, PairPause pause);
    ~NoteStore();
    NoteStore(const NoteStore&) = delete;
    NoteStore& operator=(const NoteStore&) = delete;

    // At start: says at once when the folder takes no new file; reads the
    // pair, trying a file that cannot be opened again for a while; while it
    // still cannot, says so once, shows nothing of it and saves nothing
    // over it, and every Look tries again. Takes in the notes that an
    // earlier end could not save.
    void Open();
    // Looks at the files (at every tick, and when the main window opens); a
    // version this program did not write is merged into the list, which is
    // then saved, and so is a save still owed.
    void Look();
    // Marks the list changed and saves it, looking first (the list's
    // SaveHandler). A failure is told once and tried again at every Look.
    void Save();
    // The program or the session ends: one more try at a save still owed,
    // then the unsaved copy. Tells nothing. Returns the copy's folder, or
    // empty when none was needed or it could not be written; only the first
    // call does anything.
    std::string Close();

    // Changes in memory that are not in the files yet, or files that changed
    // and could not be read since the last save.
    bool Unsaved() const { return unsaved_; }
    // The files exist but could not be read at the last try.
    bool Unreadable() const { return !readFailure_.empty(); }
    // What happened since the last call.
    StoreEvent TakeEvent() { return std::exchange(event_, {}); }

private:
    void Tell(std::string text) { event_.Messages.push_back(std::move(text)); }
    // Reads and merges a version not yet in memory.
    void Refresh();
    // A pair that cannot be read whole is not merged.
    void ReadAndMerge(const PairOnDisk& pair);
    void Write();
    void CheckFolderWritable();
    void TakeInUnsavedCopies();
    void ReadFailed(const std::string& reason);

    MessageList& list_;
    const Clock& clock_;
    std::string unsavedRoot_;
    PairPause pause_;
    DailyBackup backup_;
    // Told once a save went through: while saves fail, the backup fails with
    // them and the user knows already.
    std::optional<std::string> backupError_;
    // The version last read or written, and its notes; none before the
    // first read.
    std::optional<PairVersion> version_;
    NoteBase base_;
    bool unsaved_ = false;
    bool saveFailing_ = false;
    bool closed_ = false;
    std::string readFailure_;
    bool copiesPending_ = true;            // unsaved copies to take in once the files are read
    std::vector<std::string> takenCopies_; // removed once saved
    StoreEvent event_;
};

} // namespace zandrel
