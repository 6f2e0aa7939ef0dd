#pragma once
// The data file and its rich-text file as one pair on disk: stamps that tell
// without reading whether it changed, reading it whole even while another
// program puts a new pair in place, and writing it so that two writers
// never mix their halves.
#include "storage/core/file_ops.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zandrel {

struct PairStamps {
    file_ops::FileStamp Data;
    file_ops::FileStamp Memo;
    bool operator==(const PairStamps&) const = default;
};

// Throws StorageError when the system cannot tell.
PairStamps StampsOfPair(const std::string& dataFileName);

// One version of the pair: its stamps, and a hash of both files' bytes
// (see PairHash).
struct PairVersion {
    PairStamps Stamps;
    std::uint64_t Hash = 0;
    bool operator==(const PairVersion&) const = default;
};

// FNV-1a of a file's bytes, and the hash of a pair made of two of them
// (the rich-text file missing or not).
std::uint64_t BytesHash(std::string_view bytes, std::uint64_t from = 14695981039346656037ull);
std::uint64_t PairHash(std::uint64_t dataHash, std::uint64_t memoHash, bool memoExists);

// Both files' bytes as read at one moment.
struct PairOnDisk {
    PairVersion Version;
    std::optional<file_ops::FileBytes> Data; // nullopt: no data file
    std::optional<file_ops::FileBytes> Memo; // nullopt: no rich-text file
    // A save's data file that was never put in place and that belongs to the
    // rich-text file in place: its bytes are Data; the next save removes it.
    std::string Leftover;
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
bool HalvesAgree(std::string_view data, std::string_view memo);

// A name part no other writer's temporary files have.
std::string NewWriterTag();

// Writes a data file and its rich-text file so that a complete pair is on
// disk at every moment: both new files, named with `writerTag`, complete and
// flushed beside the old ones first, then put in place, the rich-text file
// first. `writeMemo` gives the rich-text file's bytes, `data` then the data
// file's. Returns the version of the pair as written. On failure the
// previous pair stays and StorageError names the file.
PairVersion WriteFilePair(const std::string& dataFileName, const std::string& writerTag,
                         const std::function<void(const file_ops::ByteSink& write)>& writeMemo,
                         const std::function<std::string_view()>& data);

} // namespace zandrel
