#include "storage/core/backups.h"

#include "storage/core/datetime.h"
#include "storage/core/file_ops.h"
#include "storage/core/message_list.h"
#include "storage/core/repeat_file.h"
#include "storage/core/storage_error.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace zandrel {
namespace {

constexpr std::string_view kBeforeRestore = "-before-restore";

std::string DayName(TDateTime moment) {
    const DateTimeParts p = DecodeDateTime(moment);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.Year, p.Month, p.Day);
    return text;
}

bool IsDate(std::string_view text) {
    return text.size() == 10 && ParseDateTime(std::string(text) + " 00:00:00.000").has_value();
}

// A day folder, or a copy made before a restore: "YYYY-MM-DD-before-restore",
// then maybe "-2"...
bool IsBackupName(std::string_view name) {
    return name.find_first_of("/\\:") == std::string_view::npos && name.size() >= 10 &&
           IsDate(name.substr(0, 10)) &&
           (name.size() == 10 || name.substr(10).starts_with(kBeforeRestore));
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder + file_ops::kPathSeparator + name;
}

std::string NameOf(const std::string& path) {
    return path.substr(file_ops::FolderOf(path).size());
}

// The pair and the repeat file that goes with it (when a message repeats).
struct FilePair {
    std::string Data;
    std::string Memo;
    std::string Repeat;
};

// Where the pair of `dataFileName` lies in `folder`, under its own names.
FilePair PairIn(const std::string& folder, const std::string& dataFileName) {
    return {InFolder(folder, NameOf(dataFileName)),
            InFolder(folder, NameOf(MemoPathFor(dataFileName))),
            InFolder(folder, NameOf(RepeatPathFor(dataFileName)))};
}

void RemovePairFolder(const std::string& folder, const std::string& dataFileName) {
    const FilePair pair = PairIn(folder, dataFileName);
    file_ops::RemoveQuietly(pair.Data);
    file_ops::RemoveQuietly(pair.Memo);
    file_ops::RemoveQuietly(pair.Repeat);
    file_ops::RemoveFolder(folder);
}

// Copies the pair as it is into the new folder `target`, through a folder
// beside it that gets the name once it is complete: a backup folder always
// holds a whole pair.
void CopyPairInto(const std::string& dataFileName, const std::string& target) {
    const std::string staging = target + ".partial";
    RemovePairFolder(staging, dataFileName); // left by a copy that stopped
    file_ops::MakeFolder(staging);
    const FilePair copy = PairIn(staging, dataFileName);
    const std::string memo = MemoPathFor(dataFileName);
    const std::string repeat = RepeatPathFor(dataFileName);
    try {
        file_ops::CopyNew(dataFileName, copy.Data);
        if (file_ops::Exists(memo))
            file_ops::CopyNew(memo, copy.Memo);
        if (file_ops::Exists(repeat))
            file_ops::CopyNew(repeat, copy.Repeat);
        file_ops::Replace(staging, target);
    } catch (...) {
        try {
            RemovePairFolder(staging, dataFileName);
        } catch (const StorageError&) {
            // The first failure is the one to report.
        }
        throw;
    }
}

void RemoveOldDays(const std::string& dataFileName) {
    const std::string backups = BackupsFolderOf(dataFileName);
    std::vector<std::string> days = file_ops::FolderNames(backups);
    std::erase_if(days, [](const std::string& name) { return !IsDate(name); });
    std::sort(days.begin(), days.end());
    for (std::size_t i = 0; i + kKeptBackupDays < days.size(); ++i)
        RemovePairFolder(InFolder(backups, days[i]), dataFileName);
}

} // namespace

std::string BackupsFolderOf(const std::string& dataFileName) {
    return file_ops::FolderOf(dataFileName) + "Backups";
}

std::optional<std::string> DailyBackup::BeforeSave(const std::string& dataFileName, TDateTime now) {
    const std::string day = DayName(now);
    if (doneDay_ == day)
        return std::nullopt;
    try {
        const std::string backups = BackupsFolderOf(dataFileName);
        if (file_ops::Exists(dataFileName) && !file_ops::FolderExists(InFolder(backups, day))) {
            file_ops::MakeFolder(backups);
            CopyPairInto(dataFileName, InFolder(backups, day));
        }
        RemoveOldDays(dataFileName);
        doneDay_ = day;
        return std::nullopt;
    } catch (const std::exception& error) {
        if (std::exchange(reportedDay_, day) == day)
            return std::nullopt;
        return "Today's backup of the notes failed: " + std::string(error.what()) +
               ". It is tried again at the next save.";
    }
}

bool DailyBackup::DoneOn(TDateTime now) const {
    return doneDay_ == DayName(now);
}

std::vector<BackupFolder> ListBackups(const std::string& dataFileName) {
    const std::string backups = BackupsFolderOf(dataFileName);
    std::vector<BackupFolder> found;
    for (const std::string& name : file_ops::FolderNames(backups)) {
        const std::string data = PairIn(InFolder(backups, name), dataFileName).Data;
        if (IsBackupName(name) && file_ops::Exists(data))
            found.push_back({name, data});
    }
    std::sort(found.begin(), found.end(),
              [](const BackupFolder& a, const BackupFolder& b) { return a.Name < b.Name; });
    return found;
}

std::string RestoreBackup(const std::string& dataFileName, const std::string& name, TDateTime now) {
    const std::string backups = BackupsFolderOf(dataFileName);
    const FilePair source = PairIn(InFolder(backups, name), dataFileName);
    const std::optional<file_ops::FileBytes> data =
        IsBackupName(name) ? file_ops::ReadAll(source.Data) : std::nullopt;
    if (!data)
        throw StorageError("No backup \"" + name + "\" in \"" + backups + "\"");
    const std::optional<file_ops::FileBytes> memo = file_ops::ReadAll(source.Memo);
    const std::optional<file_ops::FileBytes> repeats = file_ops::ReadAll(source.Repeat);

    std::string saved;
    if (file_ops::Exists(dataFileName)) {
        const std::string base = DayName(now) + std::string(kBeforeRestore);
        saved = base;
        for (int n = 2; file_ops::FolderExists(InFolder(backups, saved)); ++n)
            saved = base + "-" + std::to_string(n);
        CopyPairInto(dataFileName, InFolder(backups, saved));
    }
    WriteFilePair(
        dataFileName, NewWriterTag(),
        [&memo](const file_ops::ByteSink& write) {
            if (memo)
                write(memo->view());
        },
        [&data] { return data->view(); }, repeats ? repeats->view() : std::string_view());
    return saved;
}

} // namespace zandrel
