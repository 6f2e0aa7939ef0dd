#pragma once
// The three-way merge of the message list by Key: the version of the files
// last read or written (the base), the version on disk now, and the list in
// memory. Two programs on one folder (two PCs on a synced folder, a restored
// backup) then never lose each other's notes.
#include "storage/core/clock.h"
#include "storage/core/message_list.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace zandrel {

// What a note was like in the base: enough to tell which side changed it.
struct NoteFingerprint {
    // Dates, warning kind, texts, addresses and the reserved bytes: what the
    // user edits. Not the place, Keep Hidden, the mail flag (merged on their
    // own) nor NextWarn (computed again from the clock).
    std::uint64_t Content = 0;
    std::uint8_t PosInvalid = 0;
    std::int32_t PosLeft = 0;
    std::int32_t PosTop = 0;
    std::uint8_t KeepHidden = 0;
    bool NotifyPending = false;
    bool operator==(const NoteFingerprint&) const = default;
};

// The notes of a version by their identity: the Key, and for the second and
// later notes sharing a Key, its ordinal too.
using NoteBase = std::unordered_map<std::string, NoteFingerprint>;

NoteFingerprint FingerprintOf(const TMessageEntry& entry);
NoteBase BaseOf(const MessageList& list);

struct MergeOutcome {
    // The list in memory is no longer what it was.
    bool Changed = false;
    // The new Keys of the local copies of notes changed on both sides.
    std::vector<std::string> KeptTwice;
    // Entries of either side that are not in the merged list; they may still
    // be shown until the caller has rebuilt the stickers.
    std::vector<std::unique_ptr<TMessageEntry>> Removed;
};

// Merges `onDisk` (emptied) into `inMemory`, against `base`:
// - a note added on either side stays;
// - a note deleted on one side goes when the other side left its content
//   as in the base, and stays when the other side changed it;
// - content changed on one side is taken from that side; changed on both
//   sides alike it is one note; changed differently it is kept twice, the
//   disk's under its Key and the local one under a new Key (from `clock`)
//   right after it;
// - the place and Keep Hidden follow the side that changed them (this side
//   when both did); a notification sent on either side counts as sent;
// - the order is the disk's, then the notes only this side has, in this
//   side's order: a note just added stays the last one.
// Entries kept from memory stay the same objects (their stickers with
// them); CurrentIndex stays on the same note where it still exists.
MergeOutcome MergeNotes(const NoteBase& base, MessageList& onDisk, MessageList& inMemory,
                        const Clock& clock);

} // namespace zandrel
