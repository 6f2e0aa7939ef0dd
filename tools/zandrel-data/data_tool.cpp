#include "tools/zandrel-data/data_tool.h"

#include "storage/core/datetime.h"
#include "storage/core/message_list.h"
#include "storage/core/storage_error.h"
#include "tools/zandrel-data/data_formats.h"

#include <sys/stat.h>

#include <optional>
#include <ostream>
#include <stdexcept>

namespace zandrel {
namespace {

constexpr const char* kUsage =
    "usage: zandrel-data dump FOLDER [--now \"YYYY-MM-DD HH:MM:SS.mmm\"]\n"
    "       zandrel-data resave FOLDER [--now ...]\n"
    "       zandrel-data export FOLDER --format json|text [--now ...]\n"
    "Loads \"ZandrelData.dat\" and \"ZandrelData_Memo.dat\" of FOLDER as the program does.\n"
    "dump prints every stored field as JSON, resave writes both files back as the program's\n"
    "next save would, export prints a readable copy. Only resave writes into FOLDER.\n"
    "--now fixes the local clock (default: the real one). Exit status: 0 done, 1 failed,\n"
    "2 the files are damaged (what came before the damage was used).\n";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string Command;
    std::string Folder;
    std::optional<TDateTime> Now;
    std::string Format;
};

Options ParseArguments(const std::vector<std::string>& args) {
    if (args.empty())
        throw UsageError("no command given");
    Options options;
    options.Command = args[0];
    if (options.Command != "dump" && options.Command != "resave" && options.Command != "export")
        throw UsageError("unknown command \"" + options.Command + "\"");
    bool haveFolder = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--now" || arg == "--format") {
            if (i + 1 == args.size())
                throw UsageError(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--now") {
                options.Now = ParseDateTime(value);
                if (!options.Now)
                    throw UsageError("--now needs \"YYYY-MM-DD HH:MM:SS.mmm\", not \"" + value +
                                     "\"");
            } else {
                if (options.Command != "export")
                    throw UsageError("--format belongs to export only");
                if (value != "json" && value != "text")
                    throw UsageError("--format is json or text, not \"" + value + "\"");
                options.Format = value;
            }
        } else if (arg.starts_with("--")) {
            throw UsageError("unknown option \"" + arg + "\"");
        } else if (haveFolder) {
            throw UsageError("more than one FOLDER: \"" + options.Folder + "\" and \"" + arg +
                             "\"");
        } else {
            options.Folder = arg;
            haveFolder = true;
        }
    }
    if (!haveFolder || options.Folder.empty())
        throw UsageError("no FOLDER given");
    if (options.Command == "export" && options.Format.empty())
        throw UsageError("export needs --format json or --format text");
    return options;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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

int Run(const Options& options, std::ostream& out, std::ostream& err, const Clock& localClock) {
    if (!IsFolder(options.Folder)) {
        err << "zandrel-data: \"" << options.Folder << "\" is not a folder\n";
        return kExitFailure;
    }
    const std::optional<FixedClock> fixed =
        options.Now ? std::optional<FixedClock>(*options.Now) : std::nullopt;
    const Clock& clock = fixed ? static_cast<const Clock&>(*fixed) : localClock;
    MessageList list(DataFileIn(options.Folder));

    if (options.Command == "resave" && !IsFile(list.DataFileName())) {
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
        out << kUsage;
        return kExitOk;
    }
    try {
        return Run(ParseArguments(args), out, err, localClock);
    } catch (const UsageError& error) {
        err << "zandrel-data: " << error.what() << "\n" << kUsage;
    } catch (const std::exception& error) { // StorageError: a file that cannot be read or written
        err << "zandrel-data: " << error.what() << "\n";
    }
    return kExitFailure;
}

} // namespace zandrel
