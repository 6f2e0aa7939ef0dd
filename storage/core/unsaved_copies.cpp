#include "storage/core/unsaved_copies.h"

#include "storage/core/datetime.h"
#include "storage/core/file_ops.h"
#include "storage/core/storage_error.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace zandrel {
namespace {

constexpr const char* kSourceName = "Source.txt";
constexpr const char* kBaseName = "Base.txt";

std::string In(const std::string& folder, const std::string& name) {
    return folder + file_ops::kPathSeparator + name;
}

std::string FolderName(TDateTime now) {
    const DateTimeParts p = DecodeDateTime(now);
    char name[32];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d %02d-%02d-%02d", p.Year, p.Month, p.Day,
                  p.Hour, p.Minute, p.Second);
    return name;
}

// One line a note: its identity, then its fingerprint's fields.
std::string BaseText(const NoteBase& base) {
    std::ostringstream out;
    for (const auto& [id, f] : base)
        out << id << '\t' << f.Content << '\t' << int(f.PosInvalid) << '\t' << f.PosLeft << '\t'
            << f.PosTop << '\t' << int(f.KeepHidden) << '\t' << int(f.NotifyPending) << '\n';
    return out.str();
}

NoteBase BaseFrom(std::string_view text) {
    NoteBase base;
    std::istringstream in{std::string(text)};
    std::string id;
    while (std::getline(in, id, '\t')) {
        NoteFingerprint f;
        int invalid = 0, hidden = 0, notify = 0;
        in >> f.Content >> invalid >> f.PosLeft >> f.PosTop >> hidden >> notify;
        in.ignore(1);
        f.PosInvalid = static_cast<std::uint8_t>(invalid);
        f.KeepHidden = static_cast<std::uint8_t>(hidden);
        f.NotifyPending = notify != 0;
        base.emplace(id, f);
    }
    return base;
}

} // namespace

std::string WriteUnsavedCopy(const std::string& root, MessageList& list, const NoteBase& base,
                             TDateTime now) {
    const std::string parent = file_ops::FolderOf(root);
    if (!parent.empty() && !file_ops::FolderExists(parent))
        file_ops::MakeFolder(parent);
    file_ops::MakeFolder(root);
    std::string folder = In(root, FolderName(now));
    for (int n = 2; file_ops::FolderExists(folder); ++n)
        folder = In(root, FolderName(now) + "-" + std::to_string(n));
    file_ops::MakeFolder(folder);
    std::string data, memo;
    list.SaveToBytes(data, memo);
    const std::string copy = In(folder, "ZandrelData.dat");
    file_ops::WriteFlushed(MemoPathFor(copy), memo);
    file_ops::WriteFlushed(copy, data);
    file_ops::WriteFlushed(In(folder, kBaseName), BaseText(base));
    file_ops::WriteFlushed(In(folder, kSourceName), list.DataFileName());
    return folder;
}

std::vector<UnsavedCopy> UnsavedCopiesOf(const std::string& root, const std::string& dataFileName,
                                         const Clock& clock) {
    std::vector<std::string> names = file_ops::FolderNames(root);
    std::sort(names.begin(), names.end());
    std::vector<UnsavedCopy> copies;
    for (const std::string& name : names) {
        const std::string folder = In(root, name);
        try {
            const auto source = file_ops::ReadAll(In(folder, kSourceName));
            const auto base = file_ops::ReadAll(In(folder, kBaseName));
            if (!source || !base || source->view() != dataFileName)
                continue;
            UnsavedCopy copy{folder, std::make_unique<MessageList>(In(folder, "ZandrelData.dat")),
                             BaseFrom(base->view())};
            copy.Notes->LoadMessages(clock);
            copy.Notes->SetDataFileName(dataFileName);
            copies.push_back(std::move(copy));
        } catch (const StorageError&) {
            // Left for a later start, or for the user.
        }
    }
    return copies;
}

void RemoveUnsavedCopy(const std::string& folder) {
    for (const char* name : {"ZandrelData.dat", "ZandrelData_Memo.dat", kBaseName, kSourceName})
        file_ops::RemoveQuietly(In(folder, name));
    file_ops::RemoveFolder(folder);
}

} // namespace zandrel
