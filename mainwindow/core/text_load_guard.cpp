#include "mainwindow/core/text_load_guard.h"

#include "storage/core/file_ops.h"

#include "storage/core/storage_error.h"

#include <sstream>

namespace zandrel {
namespace {

// One line per note: "plain KEY" for a note shown as plain text, then
// "loading KEY" for the mark, its Key padded with blanks to the longest a
// Key can be, so that the next mark overwrites it in place; blanks when no
// note is marked.
constexpr std::string_view kPlain = "plain ";
constexpr std::string_view kLoading = "loading ";
constexpr std::size_t kKeyWidth = 99;

std::string MarkLine(std::optional<std::string_view> key) {
    std::string line;
    if (key)
        line.append(kLoading).append(key->substr(0, kKeyWidth));
    line.resize(kLoading.size() + kKeyWidth, ' ');
    return line + "\n";
}

std::string Trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

TextLoadGuard::TextLoadGuard(std::string path) : path_(std::move(path)) {
    std::optional<file_ops::FileBytes> bytes;
    try {
        bytes = file_ops::ReadAll(path_);
    } catch (const StorageError&) {
        // No marks to keep: every note shows as usual.
    }
    std::istringstream file(bytes ? std::string(bytes->view()) : std::string());
    std::string line;
    while (std::getline(file, line)) {
        if (line.starts_with(kPlain))
            plainNotes_.insert(line.substr(kPlain.size()));
        else if (line.starts_with(kLoading))
            interrupted_ = Trimmed(line.substr(kLoading.size()));
    }
    if (interrupted_)
        plainNotes_.insert(*interrupted_);
}

bool TextLoadGuard::ShowsAsPlainText(std::string_view key) const {
    return plainNotes_.find(key) != plainNotes_.end();
}

void TextLoadGuard::Loading(std::string_view key) {
    if (mark_ == key)
        return;
    mark_ = std::string(key);
    if (markFile_)
        WriteMark();
    else
        Write();
}

void TextLoadGuard::Loaded() {
    if (mark_.reset(); markFile_)
        WriteMark();
}

void TextLoadGuard::StartupFinished() {
    mark_.reset();
    Write();
}

void TextLoadGuard::Replaced(std::string_view key) {
    if (const auto found = plainNotes_.find(key); found != plainNotes_.end()) {
        plainNotes_.erase(found);
        Write();
    }
}

void TextLoadGuard::WriteMark() {
    const std::string line = MarkLine(mark_);
    std::fseek(markFile_.get(), markOffset_, SEEK_SET);
    std::fwrite(line.data(), 1, line.size(), markFile_.get());
    std::fflush(markFile_.get());
}

void TextLoadGuard::Write() {
    markFile_.reset();
    if (plainNotes_.empty() && !mark_) {
        file_ops::RemoveQuietly(path_);
        return;
    }
    std::string content;
    for (const std::string& key : plainNotes_)
        content.append(kPlain).append(key).append("\n");
    markOffset_ = static_cast<long>(content.size());
    if (mark_)
        content += MarkLine(mark_);
    File file(file_ops::OpenCFile(path_, "wb"));
    if (!file)
        return;
    std::fwrite(content.data(), 1, content.size(), file.get());
    std::fflush(file.get());
    if (mark_)
        markFile_ = std::move(file);
}

std::string TextLoadGuardPathFor(const std::string& dataPath) {
    return file_ops::FolderOf(dataPath) + "ZandrelData_Guard.txt";
}

} // namespace zandrel
