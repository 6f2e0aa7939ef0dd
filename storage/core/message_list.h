#pragma once
// The ordered message list that the main window owns, and the two data files
// it is saved to and loaded from.
#include "storage/core/clock.h"
#include "storage/core/file_ops.h"
#include "storage/core/pair_files.h"
#include "storage/core/unit_entry.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zandrel {

struct RepeatFileProblem;

// What the editor holds when Add or Replace reads it; the dates already
// joined with CombineDateTime.
struct EditorValues {
    TDateTime StartDate = 0;
    TDateTime AlarmDate = 0;
    int IncType = -1; // item index of the radio group; -1 = none selected
    std::string RichText;
    std::vector<std::string> Addresses;
    bool Notify = false;
    RepeatPeriod Repeat = RepeatPeriod::Never;
};

struct MessageListItem {
    std::string Key;
    std::unique_ptr<TMessageEntry> Entry;
};

class MessageList {
public:
    explicit MessageList(std::string dataFileName = {});

    const std::string& DataFileName() const { return dataFileName_; }
    void SetDataFileName(std::string path) { dataFileName_ = std::move(path); }
    std::string MemoFileName() const { return MemoPathFor(dataFileName_); }

    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    TMessageEntry& Entry(std::size_t index) { return *items_.at(index).Entry; }
    const TMessageEntry& Entry(std::size_t index) const { return *items_.at(index).Entry; }
    const std::string& Key(std::size_t index) const { return items_.at(index).Key; }
    const std::vector<MessageListItem>& Items() const { return items_; }
    // Index of the first item with this Key.
    std::optional<std::size_t> IndexOfKey(std::string_view key) const;
    // The entry at CurrentIndex, or null when CurrentIndex is off the list.
    TMessageEntry* Current();

    // Appends an entry under its Key.
    TMessageEntry& Append(std::unique_ptr<TMessageEntry> entry);
    // Puts `entry` in the place of the entry at `index` (Replace, sticker drag).
    void ReplaceAt(std::size_t index, std::unique_ptr<TMessageEntry> entry);
    // All items out of the list, and a whole list in (the merge).
    std::vector<MessageListItem> TakeItems() { return std::exchange(items_, {}); }
    void SetItems(std::vector<MessageListItem> items) { items_ = std::move(items); }

    // The list side of the editor commands. New, Add and Replace save both
    // files before returning; the caller then rebuilds the stickers (which
    // ends with SelectLast) and shows the current message.
    // New: an entry with the defaults, `richText` (the editor's "Zandrel by
    // Borvath" text), no addresses, Notify 0.
    TMessageEntry& New(const Clock& clock, std::string richText);
    TMessageEntry& Add(const Clock& clock, const EditorValues& values);
    // Replaces the entry at CurrentIndex by its filled Clone (same Stamp, Key,
    // KeepHidden) and returns that Key; after the sticker rebuild the caller
    // selects it again with SelectKey. Nullopt (nothing done) when
    // CurrentIndex is off the list.
    std::optional<std::string> Replace(const Clock& clock, const EditorValues& values);
    // Removes the entry at CurrentIndex; past the end it removes nothing and
    // selects 0; on an empty list nothing happens. Does not save: the caller
    // rebuilds the stickers, shows the current message, then SaveMessages.
    void Delete();
    void Prev();
    void Next();
    // Refresh, and every sticker rebuild: the last entry (no change when empty).
    void SelectLast();
    // CurrentIndex := the first item with this Key (unchanged if none).
    void SelectKey(std::string_view key);

    // Reads both files into the (cleared) list, through ReadPair with
    // `Pause`. A missing data file leaves it empty. A damaged file keeps the
    // entries read before the damage and throws StorageError("Stream read
    // error ..."), whose text also names the copies of both files that the
    // next save makes before it writes; so do halves from two saves, with
    // every entry kept. A file that cannot be read throws
    // StorageError naming it and the system's reason; the list is then empty.
    void LoadMessages(const Clock& clock);
    // The same from a pair already read.
    void LoadFromPair(const PairOnDisk& pair, const Clock& clock);
    // The same from the files' bytes (no memo: no rich-text file); no file
    // is touched and no copy is planned.
    void LoadFromBytes(std::string_view data, std::optional<std::string_view> memo,
                       const Clock& clock);
    // Saves the list: through SaveHandler when one is set (the program's
    // store, which looks at the files first), else WriteMessages; the repeat
    // file goes with the pair.
    void SaveMessages();
    // Where SaveMessages goes; empty: straight to WriteMessages.
    std::function<void()> SaveHandler;
    // Writes both files from the list (see WriteFilePair), after BeforeSave
    // and the copies of damaged files, and returns the version of the pair
    // written. On failure the previous pair stays and StorageError names
    // the file.
    PairVersion WriteMessages();
    // Runs as every WriteMessages begins, before anything is written; empty:
    // nothing.
    std::function<void()> BeforeSave;
    // Waits between two reads of a pair whose halves do not hold together.
    PairPause Pause;
    // Names this list's temporary files apart from any other writer's.
    std::string WriterTag = NewWriterTag();
    // Both files' bytes as SaveMessages writes them (applies the same
    // AlarmDate fix-up to the entries).
    void SaveToBytes(std::string& data, std::string& memo);

    struct DamagedCopy {
        std::string From;
        std::string To;
    };
    // The copies the next save makes first (empty unless the load found damage).
    const std::vector<DamagedCopy>& PendingDamagedCopies() const { return pendingCopies_; }

    int CurrentIndex = 0;

private:
    enum class LoadResult { Complete, DataDamaged, MemoDamaged, HalvesApart };
    // `memo` is null when there is no rich-text file.
    LoadResult LoadItems(std::string_view data, RichTextIndex* memo, const Clock& clock);
    // Plans the copy of a repeat file that could not be read whole; the text
    // to report.
    std::string KeepRepeatsAside(const RepeatFileProblem& problem, TDateTime now);

    std::vector<MessageListItem> items_;
    std::string dataFileName_;
    std::vector<DamagedCopy> pendingCopies_;
    std::vector<std::string> leftovers_; // a stopped save's files, removed by the next save
};

} // namespace zandrel
