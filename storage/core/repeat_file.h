#pragma once
// The repeats of the messages of a pair of data files, in a third file beside
// them, "ZandrelData_Repeat.dat": a first line "Zandrel repeats 1", then one
// line per repeating message, its Key, period ("day", "week", "month" or
// "year"), day of the month, due moment ("YYYY-MM-DD HH:MM:SS.mmm") and
// whether it mails (1 or 0), separated by tabs, each line ended by CR LF.
// The file is absent while no message repeats, so that such a folder holds
// the pair alone, byte for byte as it always did; a program that knows no
// repeats reads the pair as it always did too.
#include "storage/core/file_ops.h"
#include "storage/core/message_list.h"
#include "storage/core/repeat.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zandrel {

// "ZandrelData_Repeat.dat" in the data file's folder.
std::string RepeatPathFor(const std::string& dataFileName);

// The file's bytes for these messages (the first of each Key); empty when no
// message repeats, and then there is no file.
std::string RepeatFileBytes(const std::vector<MessageListItem>& items);

struct RepeatFileContent {
    std::unordered_map<std::string, RepeatRule> Rules; // the first line of each Key
    // What could not be read: the first bad line and why. The good lines
    // are in Rules all the same.
    std::optional<std::string> Error;
};
RepeatFileContent ParseRepeatFile(std::string_view bytes);

struct RepeatFileProblem {
    std::string Path; // the file as read, to be kept aside before the next save
    std::string Text;
};

// Gives every message the rule of its Key in the repeat file's `bytes`
// (none: no file); the others do not repeat. Returns what could not be read.
std::optional<std::string> ApplyRepeats(std::optional<std::string_view> bytes,
                                        std::vector<MessageListItem>& items);

// The repeat file's part of a save of the pair: written and flushed as
// `pending` beside the old one with the pair's new files, and put in place
// (or removed, when no message repeats) before the data file.
class RepeatFileWrite {
public:
    RepeatFileWrite(const std::string& dataFileName, std::string pending);
    void Stage(std::string_view bytes);
    // The stamp the repeat file will have once committed.
    file_ops::FileStamp StampInPlace() const;
    void Commit();
    void Discard() noexcept;

private:
    std::string path_;
    std::string pending_;
    bool staged_ = false;
    bool none_ = false;
};

} // namespace zandrel
