#pragma once
// Daily copies of the two data files in the folder "Backups" beside them, one
// folder per day named YYYY-MM-DD, and putting such a copy back. The repeat
// file (storage/core/repeat_file.h) goes wherever the pair goes.
#include "storage/core/clock.h"

#include <optional>
#include <string>
#include <vector>

namespace zandrel {

// How many day folders are kept; older ones are removed.
inline constexpr std::size_t kKeptBackupDays = 14;

// The folder that holds the backups of the pair whose data file is
// `dataFileName`: "Backups" beside it.
std::string BackupsFolderOf(const std::string& dataFileName);

class DailyBackup {
public:
    // Runs before every save. Until it succeeds on the calendar day of
    // `now`, copies both files as they are into Backups\YYYY-MM-DD\ (an
    // existing folder of that day is left as it is; no folder without a data
    // file) and keeps only the newest kKeptBackupDays day folders. Never
    // throws: a failure is returned as its text, once a day; the next save
    // tries again, so a save that fails does not use up the day's backup.
    std::optional<std::string> BeforeSave(const std::string& dataFileName, TDateTime now);
    // Whether the backup of the day of `now` is made.
    bool DoneOn(TDateTime now) const;

private:
    std::string doneDay_;     // YYYY-MM-DD of the last day backed up
    std::string reportedDay_; // ... and of the last failure reported
};

struct BackupFolder {
    std::string Name; // "2024-03-05", or "2024-03-05-before-restore"...
    std::string DataFile;
};

// The backups of the pair, oldest first: the day folders and the copies
// made before a restore (every folder whose name begins with a date and
// that holds a data file).
std::vector<BackupFolder> ListBackups(const std::string& dataFileName);

// Puts the pair of the backup `name` back in place of the pair of
// `dataFileName`, with a save's guarantee that a complete pair is on disk at
// every moment. The pair in place is first copied into
// Backups\YYYY-MM-DD-before-restore\ (the day of `now`; "-2", "-3"... when
// that is taken), whose name is returned (empty when there was no pair).
// Throws StorageError: no such backup, or a file that cannot be written.
std::string RestoreBackup(const std::string& dataFileName, const std::string& name, TDateTime now);

} // namespace zandrel
