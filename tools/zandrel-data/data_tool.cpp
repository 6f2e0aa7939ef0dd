#include "tools/zandrel-data/data_tool.h"

#include "mainwindow/core/running_mark.h"
#include "storage/core/backups.h"
#include "storage/core/datetime.h"
#include "storage/core/file_ops.h"
#include "storage/core/message_list.h"
#include "storage/core/storage_error.h"
#include "storage/core/writer_lock.h"
#include "tools/zandrel-data/data_formats.h"
#include "tools/zandrel-data/help_text.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <thread>

namespace zandrel {
namespace {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string Command;
    std::string Folder;
    std::optional<TDateTime> Now;
    std::string Format;
    std::string Backup; // restore: the backup's name
};

std::optional<int> ParsePositive(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0)
        return std::nullopt;
    return value;
}

// --screen WxH no longer matters, but a malformed one is still an error.
void CheckScreen(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x != std::string::npos) {
        const auto width = ParsePositive(std::string_view(text).substr(0, x));
        const auto height = ParsePositive(std::string_view(text).substr(x + 1));
        if (width && height)
            return;
    }
    throw UsageError("--screen needs WIDTHxHEIGHT in pixels, such as 1024x768, not \"" + text +
                     "\"");
}

Options ParseArguments(const std::vector<std::string>& args) {
    if (args.empty())
        throw UsageError("no command given");
    Options options;
    options.Command = args[0];
    const std::vector<std::string> commands{"dump", "resave", "export", "backups", "restore"};
    if (std::find(commands.begin(), commands.end(), options.Command) == commands.end())
        throw UsageError("unknown command \"" + options.Command + "\"");
    std::vector<std::string> operands;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--now" || arg == "--screen" || arg == "--format") {
            if (i + 1 == args.size())
                throw UsageError(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--now") {
                options.Now = ParseDateTime(value);
                if (!options.Now)
                    throw UsageError("--now needs \"YYYY-MM-DD HH:MM:SS.mmm\", not \"" + value +
                                     "\"");
            } else if (arg == "--screen") {
                CheckScreen(value);
            } else {
                if (options.Command != "export")
                    throw UsageError("--format belongs to export only");
                if (value != "json" && value != "text")
                    throw UsageError("--format is json or text, not \"" + value + "\"");
                options.Format = value;
            }
        } else if (arg.starts_with("--")) {
            throw UsageError("unknown option \"" + arg + "\"");
        } else {
            operands.push_back(arg);
        }
    }
    const std::size_t wanted = options.Command == "restore" ? 2 : 1;
    if (operands.empty() || operands[0].empty())
        throw UsageError("no FOLDER given");
    if (operands.size() < wanted)
        throw UsageError("restore needs the date of the backup, such as 2024-03-05");
    if (operands.size() > wanted)
        throw UsageError("unexpected \"" + operands[wanted] + "\" after \"" + operands[wanted - 1] +
                         "\"");
    options.Folder = operands[0];
    if (wanted == 2)
        options.Backup = operands[1];
    if (options.Command == "export" && options.Format.empty())
        throw UsageError("export needs --format json or --format text");
    return options;
}

std::string DataFileIn(const std::string& folder) {
    const char last = folder.back();
#ifdef _WIN32
    const bool separated = last == '\\' || last == '/' || last == ':';
    const char* separator = "\\";
#else
    const bool separated = last == '/';
    const char* separator = "/";
#endif
    return folder + (separated ? "" : separator) + "ZandrelData.dat";
}

// Loads the list as the program's start-up does. Returns the error text of
// a load that stopped at damage; a file that cannot be read throws.
std::optional<std::string> Load(MessageList& list, const Clock& clock) {
    try {
        list.LoadMessages(clock);
        return std::nullopt;
    } catch (const StorageError& error) {
        // Damage keeps the entries before it and plans the copies; any other
        // failure (an unreadable file) plans none.
        if (list.PendingDamagedCopies().empty())
            throw;
        return error.what();
    }
}

int ListBackupsOf(const std::string& dataFileName, const Clock& clock, std::ostream& out) {
    const std::vector<BackupFolder> backups = ListBackups(dataFileName);
    if (backups.empty())
        out << "no backups in \"" << BackupsFolderOf(dataFileName) << "\"\n";
    for (const BackupFolder& backup : backups) {
        MessageList list(backup.DataFile);
        std::string damage;
        try {
            list.LoadMessages(clock);
        } catch (const StorageError&) {
            damage = " (damaged: the messages before the damage)";
        }
        out << backup.Name << "  " << list.Count() << (list.Count() == 1 ? " message" : " messages")
            << damage << "\n";
    }
    return kExitOk;
}

int Restore(const Options& options, const std::string& dataFileName, const Clock& clock,
            std::ostream& out, std::ostream& err) {
    if (ProgramRunsFrom(options.Folder)) {
        err << "zandrel-data: Zandrel is running from \"" << options.Folder
            << "\"; end it with \"Shutdown\" in its tray menu, then restore\n";
        return kExitFailure;
    }
    const std::string saved = RestoreBackup(dataFileName, options.Backup, clock.Now());
    out << "zandrel-data: restored the backup " << options.Backup << " to \"" << dataFileName
        << "\"";
    if (!saved.empty())
        out << "; the files it replaced are in the backup " << saved;
    out << "\n";
    return kExitOk;
}

int Run(const Options& options, std::ostream& out, std::ostream& err, const Clock& localClock) {
    if (!file_ops::FolderExists(options.Folder)) {
        err << "zandrel-data: \"" << options.Folder << "\" is not a folder\n";
        return kExitFailure;
    }
    const std::optional<FixedClock> fixed =
        options.Now ? std::optional<FixedClock>(*options.Now) : std::nullopt;
    const Clock& clock = fixed ? static_cast<const Clock&>(*fixed) : localClock;
    MessageList list(DataFileIn(options.Folder));
    list.Pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); };
    // A Zandrel on another PC that shares the folder saves after this one.
    std::optional<WriterLock> writing;
    if (options.Command == "restore" || options.Command == "resave")
        writing.emplace(list.DataFileName(), list.Pause);
    if (options.Command == "backups")
        return ListBackupsOf(list.DataFileName(), clock, out);
    if (options.Command == "restore")
        return Restore(options, list.DataFileName(), clock, out, err);

    if (options.Command == "resave" && !file_ops::Exists(list.DataFileName())) {
        // The program would write an empty pair; from a mistyped folder
        // that only litters it, or empties a lone rich-text file.
        err << "zandrel-data: no \"" << list.DataFileName() << "\": nothing to resave\n";
        return kExitFailure;
    }
    const std::optional<std::string> damage = Load(list, clock);
    if (damage)
        err << "zandrel-data: " << *damage << "\n";

    if (options.Command == "dump") {
        out << DumpJson(list, damage);
    } else if (options.Command == "export") {
        out << (options.Format == "json" ? ExportJson(list, damage) : ExportText(list));
    } else {
        // Like the program's next save: the damaged files are copied aside first.
        list.SaveMessages();
        out << "zandrel-data: saved " << list.Count() << " messages to \"" << list.DataFileName()
            << "\"\n";
    }
    out.flush();
    if (!out) {
        err << "zandrel-data: could not write the output\n";
        return kExitFailure;
    }
    return damage ? kExitDamaged : kExitOk;
}

} // namespace

int RunDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Clock& localClock) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << kDataToolSynopsis << kDataToolManual;
        return kExitOk;
    }
    try {
        return Run(ParseArguments(args), out, err, localClock);
    } catch (const UsageError& error) {
        err << "zandrel-data: " << error.what() << "\n"
            << kDataToolSynopsis << "Run \"zandrel-data --help\" for the whole manual.\n";
    } catch (const std::exception& error) { // StorageError: a file that cannot be read or written
        err << "zandrel-data: " << error.what() << "\n";
    }
    return kExitFailure;
}

} // namespace zandrel
