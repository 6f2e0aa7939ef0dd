#include "storage/core/writer_lock.h"

#include "storage/core/storage_error.h"

namespace zandrel {

WriterLock::WriterLock(const std::string& dataFileName, const PairPause& pause) {
    const std::string path = dataFileName + ".lock";
    for (int attempt = 1; attempt <= kLockAttempts; ++attempt) {
        if (attempt > 1 && pause)
            pause();
        if (std::optional<file_ops::HeldFile> held = file_ops::HeldFile::CreateNew(path)) {
            file_.emplace(std::move(*held));
            return;
        }
        if (file_ops::SecondsSinceWrite(path).value_or(0) > kStaleLockSeconds)
            file_ops::RemoveQuietly(path);
    }
    throw StorageError("The data files \"" + dataFileName +
                           "\" are being saved by another Zandrel (it holds \"" + path + "\")",
                       "held by another Zandrel");
}

} // namespace zandrel
