#include "storage/core/repeat_file.h"

#include "storage/core/datetime.h"
#include "storage/core/file_ops.h"
#include "storage/core/storage_error.h"

#include <array>
#include <charconv>
#include <unordered_set>

namespace zandrel {
namespace {

constexpr std::string_view kHeader = "Zandrel repeats 1";
constexpr std::string_view kHeaderFamily = "Zandrel repeats ";
// The words of the periods in the file, by RepeatPeriod (Never is not written).
constexpr std::array<std::string_view, 5> kPeriodWords = {"", "day", "week", "month", "year"};

std::optional<RepeatPeriod> PeriodOfWord(std::string_view word) {
    for (std::size_t i = 1; i < kPeriodWords.size(); ++i)
        if (word == kPeriodWords[i])
            return static_cast<RepeatPeriod>(i);
    return std::nullopt;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos;) {
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t shown = 40;
    return "\"" + std::string(text.substr(0, shown)) + (text.size() > shown ? "...\"" : "\"");
}

// One line's rule and Key; the reason it cannot be read otherwise.
struct ParsedLine {
    std::string Key;
    RepeatRule Rule;
    std::string Error;
};

ParsedLine Unreadable(std::string why) {
    ParsedLine parsed;
    parsed.Error = std::move(why);
    return parsed;
}

ParsedLine ParseLine(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() != 5)
        return Unreadable("5 fields separated by tabs expected, found " +
                          std::to_string(fields.size()));
    ParsedLine parsed;
    parsed.Key = fields[0];
    if (parsed.Key.empty() || parsed.Key.size() >= kKeySlotSize)
        return Unreadable("no Key of 1 to 99 characters");
    const auto period = PeriodOfWord(fields[1]);
    if (!period)
        return Unreadable("unknown period " + Quoted(fields[1]));
    parsed.Rule.Period = *period;
    const std::string_view day = fields[2];
    const auto [end, error] = std::from_chars(day.data(), day.data() + day.size(), parsed.Rule.Day);
    if (error != std::errc() || end != day.data() + day.size() || parsed.Rule.Day < 1 ||
        parsed.Rule.Day > 31)
        return Unreadable("the day of the month is 1 to 31, not " + Quoted(day));
    const std::optional<TDateTime> due = ParseDateTime(fields[3]);
    if (!due)
        return Unreadable("the due moment is \"YYYY-MM-DD HH:MM:SS.mmm\", not " +
                          Quoted(fields[3]));
    parsed.Rule.Due = *due;
    if (fields[4] != "0" && fields[4] != "1")
        return Unreadable("mail is 0 or 1, not " + Quoted(fields[4]));
    parsed.Rule.Mail = fields[4] == "1";
    return parsed;
}

} // namespace

std::string RepeatPathFor(const std::string& dataFileName) {
    return file_ops::FolderOf(dataFileName) + "ZandrelData_Repeat.dat";
}

std::string RepeatFileBytes(const std::vector<MessageListItem>& items) {
    std::string lines;
    std::unordered_set<std::string_view> written;
    for (const MessageListItem& item : items) {
        const RepeatRule& rule = item.Entry->Repeat;
        if (!rule.Repeats() || !written.insert(item.Key).second)
            continue;
        lines += item.Key + "\t" +
                 std::string(kPeriodWords[static_cast<std::size_t>(rule.Period)]) + "\t" +
                 std::to_string(rule.Day) + "\t" + FormatDateTime(rule.Due) + "\t" +
                 (rule.Mail ? "1" : "0") + "\r\n";
    }
    return lines.empty() ? std::string() : std::string(kHeader) + "\r\n" + lines;
}

RepeatFileContent ParseRepeatFile(std::string_view bytes) {
    RepeatFileContent content;
    int number = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (++number == 1) {
            if (line == kHeader)
                continue;
            content.Error = line.starts_with(kHeaderFamily)
                                ? "written by a newer Zandrel (" + Quoted(line) + ")"
                                : "line 1: not a file of repeats";
            return content;
        }
        if (line.empty())
            continue;
        ParsedLine parsed = ParseLine(line);
        if (!parsed.Error.empty()) {
            if (!content.Error)
                content.Error = "line " + std::to_string(number) + ": " + parsed.Error;
            continue;
        }
        content.Rules.emplace(std::move(parsed.Key), parsed.Rule);
    }
    return content;
}

std::optional<std::string> ApplyRepeats(std::optional<std::string_view> bytes,
                                        std::vector<MessageListItem>& items) {
    const RepeatFileContent content = bytes ? ParseRepeatFile(*bytes) : RepeatFileContent();
    for (MessageListItem& item : items) {
        const auto rule = content.Rules.find(item.Key);
        item.Entry->Repeat = rule == content.Rules.end() ? RepeatRule() : rule->second;
    }
    return content.Error;
}

RepeatFileWrite::RepeatFileWrite(const std::string& dataFileName, std::string pending)
    : path_(RepeatPathFor(dataFileName)), pending_(std::move(pending)) {}

// A folder that has no repeat file and gets none is left alone: its saves
// write what they always wrote.
void RepeatFileWrite::Stage(std::string_view bytes) {
    none_ = bytes.empty();
    if (none_ && !file_ops::Exists(path_))
        return;
    // An empty pending file stands for "no repeats" until the commit.
    file_ops::WriteFlushed(pending_, bytes);
    staged_ = true;
}

file_ops::FileStamp RepeatFileWrite::StampInPlace() const {
    return staged_ && !none_ ? file_ops::StampOf(pending_) : file_ops::FileStamp();
}

void RepeatFileWrite::Commit() {
    if (!staged_)
        return;
    if (none_) {
        file_ops::RemoveQuietly(path_);
        if (file_ops::Exists(path_))
            throw StorageError("Cannot delete file \"" + path_ + "\"");
        file_ops::RemoveQuietly(pending_);
    } else {
        file_ops::Replace(pending_, path_);
    }
}

void RepeatFileWrite::Discard() noexcept {
    if (staged_)
        file_ops::RemoveQuietly(pending_);
}

} // namespace zandrel
