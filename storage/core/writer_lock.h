#pragma once
// One program at a time writes a folder's data files, whichever PC it runs
// on: a save reads what is on disk, merges it and writes, and a save of
// another program landing in between would be written over unseen.
#include "storage/core/file_ops.h"
#include "storage/core/pair_files.h"

#include <optional>
#include <string>

namespace zandrel {

inline constexpr int kLockAttempts = 10;
// A lock this old was left by a program that stopped while it saved: a save
// takes a moment.
inline constexpr double kStaleLockSeconds = 30;

// The lock file beside the data file, held while this lives.
class WriterLock {
public:
    // Waits with `pause` while another program holds the lock, up to
    // kLockAttempts times, and takes over a stale one. Throws StorageError
    // when it stays held, or cannot be made.
    WriterLock(const std::string& dataFileName, const PairPause& pause);

private:
    std::optional<file_ops::HeldFile> file_;
};

} // namespace zandrel
