#include "storage/core/pair_files.h"

#include "storage/core/message_record.h"
#include "storage/core/repeat_file.h"
#include "storage/core/storage_error.h"
#include "storage/core/unit_entry.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

namespace zandrel {
namespace {

// The new file of a save beside `path`.
std::string Pending(const std::string& path, const std::string& writerTag) {
    return path + "." + writerTag + ".new";
}

BytesHash HashOf(std::string_view bytes) {
    BytesHash hash;
    hash.Add(bytes);
    return hash;
}

std::string_view ViewOf(const std::optional<file_ops::FileBytes>& bytes) {
    return bytes ? bytes->view() : std::string_view();
}

PairOnDisk ReadOnce(const std::string& dataFileName) {
    PairOnDisk pair;
    pair.Version.Stamps = StampsOfPair(dataFileName);
    pair.Data = file_ops::ReadAll(dataFileName);
    BytesHash memoHash;
    file_ops::ReadThrough(MemoPathFor(dataFileName),
                          [&](std::size_t size, const file_ops::ByteSource& source) {
                              pair.Memo = std::make_unique<RichTextIndex>(
                                  [&](char* into, std::size_t count) {
                                      const std::size_t got = source(into, count);
                                      memoHash.Add({into, got});
                                      return got;
                                  },
                                  size);
                          });
    pair.RepeatsPath = RepeatPathFor(dataFileName);
    pair.Repeats = file_ops::ReadAll(pair.RepeatsPath);
    pair.Version.Hash = PairHash(HashOf(ViewOf(pair.Data)), memoHash, pair.Memo != nullptr,
                                 pair.Repeats ? std::optional(pair.Repeats->view()) : std::nullopt);
    return pair;
}

bool Agrees(const PairOnDisk& pair) {
    return !pair.Data || !pair.Memo || HalvesAgree(pair.Data->view(), *pair.Memo);
}

// The data file of a save that put its rich-text file in place and stopped
// before its data file: its new rich-text file is gone, and its Keys are
// those of the rich-text file in place.
std::optional<std::string> LeftoverFor(const std::string& dataFileName, const RichTextIndex& memo) {
    const std::string folder = file_ops::FolderOf(dataFileName);
    const std::string dataName = dataFileName.substr(folder.size());
    const std::string memoName = MemoPathFor(dataFileName).substr(folder.size());
    for (const std::string& name : file_ops::FileNames(folder.empty() ? "." : folder, dataName)) {
        const std::string tail = name.substr(dataName.size()); // ".new", ".<tag>.new"
        if (!tail.starts_with(".") || !tail.ends_with(".new") ||
            file_ops::Exists(folder + memoName + tail))
            continue;
        const std::optional<file_ops::FileBytes> data = file_ops::ReadAll(folder + name);
        if (data && HalvesAgree(data->view(), memo))
            return folder + name;
    }
    return std::nullopt;
}

} // namespace

void BytesHash::AddWord(std::uint64_t word) {
    hash_ = (hash_ ^ word) * 0x9E3779B97F4A7C15ull;
    hash_ ^= hash_ >> 29;
}

void BytesHash::Add(std::string_view bytes) {
    if (bytes.empty())
        return;
    std::size_t used = size_ % 8;
    size_ += bytes.size();
    if (used > 0) {
        const std::size_t part = std::min(8 - used, bytes.size());
        std::memcpy(pending_ + used, bytes.data(), part);
        bytes.remove_prefix(part);
        if (used + part < 8)
            return;
        std::uint64_t word;
        std::memcpy(&word, pending_, 8);
        AddWord(word);
    }
    for (; bytes.size() >= 8; bytes.remove_prefix(8)) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data(), 8);
        AddWord(word);
    }
    std::memcpy(pending_, bytes.data(), bytes.size());
}

std::uint64_t BytesHash::Value() const {
    BytesHash last = *this;
    std::uint64_t word = 0;
    std::memcpy(&word, pending_, size_ % 8);
    last.AddWord(word);
    last.AddWord(size_);
    return last.hash_;
}

std::uint64_t PairHash(const BytesHash& data, const BytesHash& memo, bool memoExists,
                       std::optional<std::string_view> repeats) {
    const std::uint64_t pair = (data.Value() * 31 + memo.Value()) * 2 + (memoExists ? 1 : 0);
    return repeats ? pair * 37 + HashOf(*repeats).Value() : pair;
}

PairStamps StampsOfPair(const std::string& dataFileName) {
    return {file_ops::StampOf(dataFileName), file_ops::StampOf(MemoPathFor(dataFileName)),
            file_ops::StampOf(RepeatPathFor(dataFileName))};
}

// The Keys of the records (leaving out those a load stamps afresh) against
// those of the blocks: all found, and as many.
bool HalvesAgree(std::string_view data, const RichTextIndex& memo) {
    if (memo.Damaged())
        return false;
    std::vector<std::string> keys;
    keys.reserve(data.size() / sizeof(MessageRecord));
    for (std::size_t at = 0; at + sizeof(MessageRecord) <= data.size();
         at += sizeof(MessageRecord)) {
        TimeStamp stamp;
        std::memcpy(&stamp, data.data() + at + offsetof(MessageRecord, Stamp), sizeof stamp);
        if (stamp.Date >= 1000)
            keys.push_back(MakeKey(stamp));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys.size() == memo.BlockKeyCount() &&
           std::all_of(keys.begin(), keys.end(),
                       [&memo](const std::string& key) { return memo.HasBlock(key); });
}

PairOnDisk ReadPair(const std::string& dataFileName, const PairPause& pause) {
    bool readBefore = false; // the same halves, apart, read just before
    std::uint64_t previousHash = 0;
    PairOnDisk pair;
    for (int attempt = 1; attempt <= kPairReadAttempts; ++attempt) {
        if (attempt > 1 && pause)
            pause();
        pair = ReadOnce(dataFileName);
        if (StampsOfPair(dataFileName) != pair.Version.Stamps) {
            readBefore = false;
            continue; // replaced while it was read
        }
        if (Agrees(pair) || (readBefore && pair.Version.Hash == previousHash))
            break;
        readBefore = true;
        previousHash = pair.Version.Hash;
    }
    if (!Agrees(pair)) {
        if (const auto leftover = LeftoverFor(dataFileName, *pair.Memo)) {
            pair.Data = file_ops::ReadAll(*leftover);
            pair.Leftover = *leftover;
            // The same save's repeat file, when it did not put it in place.
            const std::string repeats = pair.RepeatsPath + leftover->substr(dataFileName.size());
            if (auto bytes = file_ops::ReadAll(repeats)) {
                pair.Repeats = bytes->view().empty() ? std::nullopt : std::move(bytes);
                pair.RepeatsPath = pair.LeftoverRepeats = repeats;
            }
        } else {
            pair.Whole = false;
        }
    }
    return pair;
}

std::string NewWriterTag() {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    const auto time = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::uint64_t value = (std::uint64_t(device()) << 32 ^ device()) ^
                                std::uint64_t(time) * 0x9E3779B97F4A7C15ull ^ counter++;
    char tag[17];
    std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(value));
    return tag;
}

PairVersion WriteFilePair(const std::string& dataFileName, const std::string& writerTag,
                          const std::function<void(const file_ops::ByteSink& write)>& writeMemo,
                          const std::function<std::string_view()>& data, std::string_view repeats) {
    const std::string memoPath = MemoPathFor(dataFileName);
    const std::string folder = file_ops::FolderOf(dataFileName);
    const std::string newMemo = Pending(memoPath, writerTag);
    const std::string newData = Pending(dataFileName, writerTag);
    RepeatFileWrite repeatFile(dataFileName, Pending(RepeatPathFor(dataFileName), writerTag));
    PairVersion written;
    try {
        BytesHash memoHash;
        file_ops::WriteFlushed(newMemo, [&](const file_ops::ByteSink& write) {
            writeMemo([&](std::string_view bytes) {
                memoHash.Add(bytes);
                write(bytes);
            });
        });
        const std::string_view dataBytes = data();
        file_ops::WriteFlushed(newData, dataBytes);
        repeatFile.Stage(repeats);
        written.Hash = PairHash(HashOf(dataBytes), memoHash, true,
                                repeats.empty() ? std::nullopt : std::optional(repeats));
        // A rename keeps the size and the time of the last write: these are
        // the stamps of the pair in place, whoever replaces it later.
        written.Stamps.Data = file_ops::StampOf(newData);
        written.Stamps.Memo = file_ops::StampOf(newMemo);
        written.Stamps.Repeat = repeatFile.StampInPlace();
        // A data file another program holds (an antivirus, a sync client)
        // would stop the save halfway: the pair stays as it is instead.
        file_ops::CheckReplaceable(dataFileName);
        file_ops::Replace(newMemo, memoPath);
    } catch (...) {
        file_ops::RemoveQuietly(newMemo);
        file_ops::RemoveQuietly(newData);
        repeatFile.Discard();
        throw;
    }
    // From here the new data file is the one a load takes if its rename does
    // not happen, and the new repeat file goes with it: leave both in place
    // on failure.
    repeatFile.Commit();
    file_ops::SyncFolder(folder);
    file_ops::Replace(newData, dataFileName);
    file_ops::SyncFolder(folder);
    return written;
}

} // namespace zandrel
