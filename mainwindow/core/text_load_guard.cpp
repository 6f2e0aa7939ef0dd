#include "mainwindow/core/text_load_guard.h"

#include "storage/core/file_ops.h"

#include <cstdio>
#include <fstream>

namespace zandrel {
namespace {

// One line per note: "plain KEY" for a note shown as plain text, "loading KEY"
// for the mark.
constexpr std::string_view kPlain = "plain ";
constexpr std::string_view kLoading = "loading ";

} // namespace

TextLoadGuard::TextLoadGuard(std::string path) : path_(std::move(path)) {
    std::ifstream file(path_, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (line.starts_with(kPlain))
            plainNotes_.insert(line.substr(kPlain.size()));
        else if (line.starts_with(kLoading))
            interrupted_ = line.substr(kLoading.size());
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
    Write();
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

void TextLoadGuard::Write() const {
    if (plainNotes_.empty() && !mark_) {
        std::remove(path_.c_str());
        return;
    }
    std::string content;
    for (const std::string& key : plainNotes_)
        content.append(kPlain).append(key).append("\n");
    if (mark_)
        content.append(kLoading).append(*mark_).append("\n");
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << content;
}

std::string TextLoadGuardPathFor(const std::string& dataPath) {
    return file_ops::FolderOf(dataPath) + "ZandrelData_Guard.txt";
}

} // namespace zandrel
