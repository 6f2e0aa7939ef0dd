#pragma once
// A note whose text ended a start of the program inside the rich-text
// control (a crash of the system's rich-edit library) must not end every
// later start too. While a note's RTF goes into a control during the
// start-up, the note is marked in a small file beside the data files; the
// mark goes as soon as the text is in. A start that finds the mark shows
// that note as plain text from then on, until the user replaces it; a start
// ended at any other moment blames no note.
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace zandrel {

class TextLoadGuard {
public:
    // Reads the file at `path` (none: no note is marked or shown as plain
    // text). The note of a mark left by an unfinished start joins those shown
    // as plain text.
    explicit TextLoadGuard(std::string path);

    // The note whose loading ended the last start, as this start found it.
    const std::optional<std::string>& InterruptedNote() const { return interrupted_; }
    bool ShowsAsPlainText(std::string_view key) const;

    // The note whose RTF goes into a control now.
    void Loading(std::string_view key);
    // Its text is in: the mark goes.
    void Loaded();
    // The start-up has finished: nothing is marked any more, and the file
    // keeps only what it must.
    void StartupFinished();
    // The note was replaced: it shows as it is stored again.
    void Replaced(std::string_view key);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;

    // The file holds what the guard knows; without anything to keep it is
    // removed. From the first mark to the end of the start-up it stays open,
    // so that each later mark, and each clearing, costs one write. A file
    // that cannot be written leaves the program unguarded, never stopped.
    void Write();
    // The mark's line in the open file: the marked note, or blanks.
    void WriteMark();

    std::string path_;
    File markFile_;
    long markOffset_ = 0;
    std::set<std::string, std::less<>> plainNotes_;
    std::optional<std::string> mark_;
    std::optional<std::string> interrupted_;
};

// "ZandrelData_Guard.txt" in the folder of the data file `dataPath`.
std::string TextLoadGuardPathFor(const std::string& dataPath);

} // namespace zandrel
