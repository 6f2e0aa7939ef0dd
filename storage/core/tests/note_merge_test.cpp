#include "storage/core/note_merge.h"

#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace zandrel {
namespace {

// A note in the table: "a", "a=text", "a@50,60" (its sticker's place),
// "a+" (a mail pending), "ah" (kept hidden), "aw" (repeats weekly), in
// that order. "n" is the
// new Key of a local copy.
TimeStamp StampOf(char key) {
    return key == 'n' ? DateTimeToTimeStamp(test::At("2026-05-01 10:00:00.000"))
                      : TimeStamp{1000, 740000 + (key - 'a')};
}

std::unique_ptr<TMessageEntry> Note(const std::string& spec, const Clock& clock) {
    auto entry = std::make_unique<TMessageEntry>(clock, "ZandrelData.dat");
    entry->Record.Stamp = StampOf(spec[0]);
    entry->Key = MakeKey(entry->Record.Stamp);
    const std::size_t marks = spec.find_first_of("@+hw", 1);
    entry->RichText = spec[1] == '=' ? spec.substr(2, marks - 2) : "t";
    const std::string rest = marks == std::string::npos ? "" : spec.substr(marks);
    std::sscanf(rest.c_str(), "@%d,%d", &entry->Record.PosLeft, &entry->Record.PosTop);
    entry->Notify = rest.find('+') != std::string::npos;
    entry->Record.KeepHidden = rest.find('h') != std::string::npos;
    if (rest.find('w') != std::string::npos)
        entry->Repeat = {RepeatPeriod::Week, 1, 0, false};
    return entry;
}

MessageList ListOf(const std::vector<std::string>& notes, const Clock& clock) {
    MessageList list("ZandrelData.dat");
    for (const std::string& note : notes)
        list.Append(Note(note, clock));
    return list;
}

std::string Spec(const TMessageEntry& entry) {
    char key = '?';
    for (char c : std::string("abcdefn"))
        key = entry.Key == MakeKey(StampOf(c)) ? c : key;
    std::string spec(1, key);
    if (entry.RichText != "t")
        spec += "=" + entry.RichText;
    if (entry.Record.PosLeft || entry.Record.PosTop)
        spec +=
            "@" + std::to_string(entry.Record.PosLeft) + "," + std::to_string(entry.Record.PosTop);
    spec += entry.Notify ? "+" : "";
    spec += entry.Record.KeepHidden ? "h" : "";
    spec += entry.Repeat.Repeats() ? "w" : "";
    return spec;
}

struct MergeRow {
    const char* what;
    std::vector<std::string> base, disk, memory, merged;
    char current; // the note the editor shows
};

TEST(NoteMergeTest, EachSideKeepsWhatItAddedChangedOrSent) {
    const std::vector<MergeRow> rows = {
        {"added there", {"a"}, {"a", "b"}, {"a"}, {"a", "b"}, 'a'},
        {"added here", {"a"}, {"a"}, {"a", "c"}, {"a", "c"}, 'c'},
        {"added on both sides", {"a"}, {"a", "b"}, {"a", "c"}, {"a", "b", "c"}, 'c'},
        {"deleted there, unchanged here", {"a", "b"}, {"a"}, {"a", "b"}, {"a"}, 'a'},
        {"deleted here, unchanged there", {"a", "b"}, {"a", "b"}, {"a"}, {"a"}, 'a'},
        {"deleted there, changed here", {"a", "b"}, {"a"}, {"a", "b=y"}, {"a", "b=y"}, 'b'},
        {"deleted here, changed there", {"a", "b"}, {"a", "b=x"}, {"a"}, {"a", "b=x"}, 'a'},
        {"changed there", {"a", "b"}, {"a=x", "b"}, {"a", "b"}, {"a=x", "b"}, 'a'},
        {"changed here", {"a"}, {"a"}, {"a=y"}, {"a=y"}, 'a'},
        {"changed alike on both sides", {"a"}, {"a=x"}, {"a=x"}, {"a=x"}, 'a'},
        {"changed on both sides", {"a", "b"}, {"a=x", "b"}, {"a=y", "b"}, {"a=x", "n=y", "b"}, 'b'},
        {"mail sent here", {"a+"}, {"a+"}, {"a"}, {"a"}, 'a'},
        {"mail sent there, text changed here", {"a+"}, {"a"}, {"a=y+"}, {"a=y"}, 'a'},
        {"mail sent there, changed on both sides", {"a+"}, {"a=x"}, {"a=y+"}, {"a=x", "n=y"}, 'a'},
        {"mail asked for here", {"a"}, {"a"}, {"a+"}, {"a+"}, 'a'},
        {"moved here, text changed there", {"a"}, {"a=x"}, {"a@50,60"}, {"a=x@50,60"}, 'a'},
        {"moved there", {"a@5,5"}, {"a@70,80"}, {"a@5,5"}, {"a@70,80"}, 'a'},
        {"moved on both sides", {"a@5,5"}, {"a@70,80"}, {"a@50,60"}, {"a@50,60"}, 'a'},
        {"hidden there", {"a"}, {"ah"}, {"a"}, {"ah"}, 'a'},
        {"set to repeat there", {"a"}, {"aw"}, {"a"}, {"aw"}, 'a'},
        {"reordered file",
         {"a", "b", "c"},
         {"c", "a", "b"},
         {"a", "b", "c", "d"},
         {"c", "a", "b", "d"},
         'b'},
        {"nothing read before", {}, {"a", "b"}, {"b", "c"}, {"a", "b", "c"}, 'b'},
        {"nothing read before, both differ", {}, {"a=x"}, {"a=y"}, {"a=x", "n=y"}, 'a'},
        {"a restored backup", {"a", "b=x", "c"}, {"a", "b"}, {"a", "b=x", "c"}, {"a", "b"}, 'a'},
    };
    const test::FakeClock clock(test::At("2026-05-01 10:00:00.000"));
    for (const MergeRow& row : rows) {
        SCOPED_TRACE(row.what);
        MessageList base = ListOf(row.base, clock);
        MessageList disk = ListOf(row.disk, clock);
        MessageList memory = ListOf(row.memory, clock);
        memory.SelectKey(MakeKey(StampOf(row.current)));
        const TMessageEntry* shown = memory.Current();

        const MergeOutcome outcome = MergeNotes(BaseOf(base), disk, memory, clock);

        std::vector<std::string> merged;
        for (std::size_t i = 0; i < memory.Count(); ++i)
            merged.push_back(Spec(memory.Entry(i)));
        EXPECT_EQ(merged, row.merged);
        EXPECT_EQ(outcome.Changed, row.merged != row.memory);
        EXPECT_EQ(outcome.KeptTwice.size(),
                  std::size_t(std::count(row.merged.begin(), row.merged.end(), "n=y")));
        // The editor stays on the note it showed, the local copy when the
        // note was kept twice.
        ASSERT_NE(memory.Current(), nullptr);
        EXPECT_EQ(memory.Current(), shown);
    }
}

} // namespace
} // namespace zandrel
