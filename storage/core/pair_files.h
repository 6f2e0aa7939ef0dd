#pragma once
// The data file and its rich-text file as one pair on disk, with the repeat
// file that travels with them (storage/core/repeat_file.h): stamps that tell
// without reading whether it changed, reading it whole even while another
// program puts a new pair in place, and writing it so that two writers
// never mix their halves.
#include "storage/core/file_ops.h"
#include "storage/core/message_record.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zandrel {

struct PairStamps {
    file_ops::FileStamp Data;
    file_ops::FileStamp Memo;
    file_ops::FileStamp Repeat;
    bool operator==(const PairStamps&) const = default;
};

// Throws StorageError when the system cannot tell.
PairStamps StampsOfPair(const std::string& dataFileName);

// One version of the pair: its stamps, and a hash of its files' bytes
// (see PairHash).
struct PairVersion {
    PairStamps Stamps;
    std::uint64_t Hash = 0;
    bool operator==(const PairVersion&) const = default;
};

// A hash of a file's bytes, eight at a time, given whole or in pieces of
// any size.
class BytesHash {
public:
    void Add(std::string_view bytes);
    std::uint64_t Value() const;

private:
    void AddWord(std::uint64_t word);
    std::uint64_t hash_ = 0x243F6A8885A308D3ull;
    std::uint64_t size_ = 0;
    char pending_[8] = {}; // the bytes after the last whole word
};

// The hash of a pair from its files' hashes; `repeats` is null when there is
// no repeat file.
std::uint64_t PairHash(const BytesHash& data, const BytesHash& memo, bool memoExists,
                       std::optional<std::string_view> repeats);

// Both files' bytes as read at one moment.
struct PairOnDisk {
    PairVersion Version;
    std::optional<file_ops::FileBytes> Data; // nullopt: no data file
    // The rich-text file read in one pass, without a buffer for all of it;
    // null when there is none. A load moves the texts out of it.
    std::unique_ptr<RichTextIndex> Memo;
    std::optional<file_ops::FileBytes> Repeats; // nullopt: no repeat file
    std::string RepeatsPath;                    // the repeat file as read
    // A save's data file that was never put in place and that belongs to the
    // rich-text file in place: its bytes are Data; the next save removes it,
    // with the same save's repeat file, LeftoverRepeats, when there is one.
    std::string Leftover;
    std::string LeftoverRepeats;
    // False when the halves still come from two saves after every read.
    bool Whole = true;
};

// Waits a moment before a pair is read again.
using PairPause = std::function<void()>;
inline constexpr int kPairReadAttempts = 5;

// Reads both files. A pair that changed while it was read, or whose halves
// come from two saves (a record's Key without a block, or a block's Key
// without a record), is read again after `pause`, up to kPairReadAttempts
// times; halves that stay apart through two reads alike are not Whole,
// unless a save that stopped between its renames left the data file that
// belongs to them.
// Throws StorageError (naming the file and the system's reason) when a file
// that exists cannot be read.
PairOnDisk ReadPair(const std::string& dataFileName, const PairPause& pause);

// Whether every record's Key has a block and every block's Key a record.
bool HalvesAgree(std::string_view data, const RichTextIndex& memo);

// A name part no other writer's temporary files have.
std::string NewWriterTag();

// Writes a data file and its rich-text file so that a complete pair is on
// disk at every moment: the new files, named with `writerTag`, complete and
// flushed beside the old ones first, then put in place, the rich-text file
// first, then the repeat file, then the data file (a load takes the data
// file and repeat file a stopped save left, see PairOnDisk::Leftover).
// `writeMemo` gives the rich-text file's bytes, `data` then the data file's,
// `repeats` the repeat file's (empty: no repeat file). Returns the version of
// the pair as written. On failure the previous pair stays and StorageError
// names the file.
PairVersion WriteFilePair(const std::string& dataFileName, const std::string& writerTag,
                          const std::function<void(const file_ops::ByteSink& write)>& writeMemo,
                          const std::function<std::string_view()>& data, std::string_view repeats);

} // namespace zandrel
