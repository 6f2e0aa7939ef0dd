#pragma once
// A note whose text ended a start of the program inside the rich-text
// control (a crash of the system's rich-edit library) must not end every
// later start too. Before a note's RTF goes into a control during the
// start-up, the note is marked in a small file beside the data files; the
// mark goes when the start-up has finished. A start that finds the mark shows
// that note as plain text from then on, until the user replaces it.
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
    // The start-up has finished: the mark goes.
    void StartupFinished();
    // The note was replaced: it shows as it is stored again.
    void Replaced(std::string_view key);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;

    // The file holds what the guard knows; without anything to keep it is
    // removed. While there is a mark it stays open, so that the next mark
    // costs one write. A file that cannot be written leaves the program
    // unguarded, never stopped.
    void Write();

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
