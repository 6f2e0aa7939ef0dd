#include "storage/core/note_store.h"

#include "storage/core/storage_error.h"
#include "storage/core/unsaved_copies.h"
#include "storage/core/writer_lock.h"

namespace zandrel {
namespace {

constexpr const char* kKeptTwice =
    "A note was changed both here and in another copy of its files (another computer, or a "
    "restored backup). Both versions are kept: the other one under the note's place in the list, "
    "this one as a new note right after it.";

} // namespace

NoteStore::NoteStore(MessageList& list, const Clock& clock, std::string unsavedRoot,
                     PairPause pause)
    : list_(list), clock_(clock), unsavedRoot_(std::move(unsavedRoot)), pause_(std::move(pause)) {
    list_.Pause = pause_;
    list_.SaveHandler = [this] { Save(); };
    list_.BeforeSave = [this] {
        if (auto error = backup_.BeforeSave(list_.DataFileName(), clock_.Now()))
            backupError_ = std::move(error);
    };
}

NoteStore::~NoteStore() {
    list_.SaveHandler = nullptr;
    list_.BeforeSave = nullptr;
}

void NoteStore::CheckFolderWritable() {
    const std::string folder = file_ops::FolderOf(list_.DataFileName());
    const std::string probe = list_.DataFileName() + "." + list_.WriterTag + ".probe";
    try {
        file_ops::WriteFlushed(probe, std::string_view());
        file_ops::RemoveQuietly(probe);
    } catch (const StorageError& error) {
        saveFailing_ = true; // told here, not again at the first save
        Tell("Zandrel cannot save notes in its folder \"" + folder + "\" (" + error.Reason() +
             "). Move the Zandrel folder to a folder you can write to, such as Documents, and "
             "start Zandrel from there. Until then your changes are kept while Zandrel runs, and "
             "when it ends they are kept for its next start.");
    }
}

void NoteStore::Open() {
    CheckFolderWritable();
    for (int attempt = 1; attempt <= kOpenAttempts; ++attempt) {
        if (attempt > 1 && pause_)
            pause_();
        try {
            const PairOnDisk pair = ReadPair(list_.DataFileName(), pause_);
            readFailure_.clear();
            try {
                list_.LoadFromPair(pair, clock_);
            } catch (const StorageError& error) {
                Tell(error.what()); // damage: the notes before it are kept
            }
            version_ = pair.Version;
            base_ = BaseOf(list_);
            break;
        } catch (const StorageError& error) {
            readFailure_ = error.what();
        }
    }
    if (Unreadable()) {
        Tell(readFailure_ + ". Zandrel shows no notes from its files and saves nothing over "
                            "them until it can read them; it tries again by itself.");
    }
    TakeInUnsavedCopies();
    if (unsaved_)
        Write();
}

void NoteStore::TakeInUnsavedCopies() {
    if (!copiesPending_ || !version_ || unsavedRoot_.empty())
        return;
    copiesPending_ = false;
    for (UnsavedCopy& copy : UnsavedCopiesOf(unsavedRoot_, list_.DataFileName(), clock_)) {
        // The copy's notes are this side's, the list the files' version.
        MergeOutcome outcome = MergeNotes(copy.Base, list_, *copy.Notes, clock_);
        list_.SetItems(copy.Notes->TakeItems());
        list_.SelectLast();
        event_.ListChanged = true;
        unsaved_ = true;
        takenCopies_.push_back(copy.Folder);
        Tell("Notes that Zandrel could not save when it last ended were taken back in from \"" +
             copy.Folder + "\".");
        for (auto& entry : outcome.Removed)
            event_.Removed.push_back(std::move(entry));
    }
}

// Told once: not again while the user knows that changes wait. The list is
// no longer in the files: it is kept as a save still owed.
void NoteStore::ReadFailed(const std::string& reason) {
    if (version_)
        unsaved_ = true;
    if (readFailure_.empty() && !saveFailing_)
        Tell(reason + ". Zandrel saves nothing over the files until it can read them, and tries "
                      "again by itself; your changes are kept meanwhile.");
    readFailure_ = reason;
}

void NoteStore::ReadAndMerge(const PairOnDisk& pair) {
    // Merged, a pair read in part would look like notes deleted there.
    MessageList disk(list_.DataFileName());
    try {
        disk.LoadFromPair(pair, clock_);
    } catch (const StorageError&) {
        ReadFailed("Cannot read the files \"" + list_.DataFileName() + "\" and \"" +
                   list_.MemoFileName() + "\" whole: they are damaged, or come from two saves");
        return;
    }
    readFailure_.clear();
    NoteBase diskBase = BaseOf(disk);
    MergeOutcome outcome = MergeNotes(version_ ? base_ : NoteBase{}, disk, list_, clock_);
    version_ = pair.Version;
    base_ = std::move(diskBase);
    // A data file a save left beside the pair is put in place by a save.
    if (BaseOf(list_) != base_ || !pair.Leftover.empty())
        unsaved_ = true;
    event_.ListChanged |= outcome.Changed;
    for (auto& entry : outcome.Removed)
        event_.Removed.push_back(std::move(entry));
    if (!outcome.KeptTwice.empty())
        Tell(kKeptTwice);
    TakeInUnsavedCopies();
}

void NoteStore::Refresh() {
    try {
        if (version_ && StampsOfPair(list_.DataFileName()) == version_->Stamps) {
            readFailure_.clear(); // the version already in memory
            return;
        }
        const PairOnDisk pair = ReadPair(list_.DataFileName(), pause_);
        if (version_ && pair.Version.Hash == version_->Hash) {
            version_->Stamps = pair.Version.Stamps;
            readFailure_.clear();
            return;
        }
        ReadAndMerge(pair);
    } catch (const StorageError& error) {
        ReadFailed(error.what());
    }
}

void NoteStore::Look() {
    Refresh();
    if (unsaved_)
        Write();
}

void NoteStore::Save() {
    unsaved_ = true;
    Look();
}

void NoteStore::Write() {
    if (Unreadable())
        return;
    try {
        // What another program saved since the look is merged first.
        const WriterLock lock(list_.DataFileName(), pause_);
        Refresh();
        if (Unreadable())
            return;
        version_ = list_.WriteMessages();
        base_ = BaseOf(list_);
        unsaved_ = false;
        saveFailing_ = false;
        if (const auto error = std::exchange(backupError_, std::nullopt);
            error && !backup_.DoneOn(clock_.Now()))
            Tell(*error);
        for (const std::string& folder : std::exchange(takenCopies_, {})) {
            try {
                RemoveUnsavedCopy(folder);
            } catch (const StorageError&) {
                // Its notes are saved; an empty folder may stay.
            }
        }
    } catch (const StorageError& error) {
        if (!std::exchange(saveFailing_, true))
            Tell(std::string(error.what()) +
                 ". Your changes are kept and shown, and Zandrel tries again to save them by "
                 "itself.");
    }
}

std::string NoteStore::Close() {
    if (std::exchange(closed_, true))
        return {};
    Look();
    event_ = {};
    if (!unsaved_ || unsavedRoot_.empty())
        return {};
    try {
        return WriteUnsavedCopy(unsavedRoot_, list_, version_ ? base_ : NoteBase{}, clock_.Now());
    } catch (const StorageError&) {
        return {};
    }
}

} // namespace zandrel
