#include "storage/core/pair_files.h"

#include "storage/core/message_record.h"
#include "storage/core/storage_error.h"
#include "storage/core/unit_entry.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <unordered_set>

namespace zandrel {
namespace {

// The new file of a save beside `path`.
std::string Pending(const std::string& path, const std::string& writerTag) {
    return path + "." + writerTag + ".new";
}

std::string_view ViewOf(const std::optional<file_ops::FileBytes>& bytes) {
    return bytes ? bytes->view() : std::string_view();
}

PairOnDisk ReadOnce(const std::string& dataFileName) {
    PairOnDisk pair;
    pair.Version.Stamps = StampsOfPair(dataFileName);
    pair.Data = file_ops::ReadAll(dataFileName);
    pair.Memo = file_ops::ReadAll(MemoPathFor(dataFileName));
    pair.Version.Hash =
        PairHash(BytesHash(ViewOf(pair.Data)), BytesHash(ViewOf(pair.Memo)), pair.Memo.has_value());
    return pair;
}

// The Keys of the records, leaving out those a load stamps afresh.
std::unordered_set<std::string> RecordKeys(std::string_view data) {
    std::unordered_set<std::string> keys;
    for (std::size_t at = 0; at + sizeof(MessageRecord) <= data.size();
         at += sizeof(MessageRecord)) {
        TimeStamp stamp;
        std::memcpy(&stamp, data.data() + at + offsetof(MessageRecord, Stamp), sizeof stamp);
        if (stamp.Date >= 1000)
            keys.insert(MakeKey(stamp));
    }
    return keys;
}

// The Keys of the blocks; nullopt when the file ends inside a block.
std::optional<std::unordered_set<std::string>> BlockKeys(std::string_view memo) {
    std::unordered_set<std::string> keys;
    ByteReader reader(memo);
    try {
        while (!reader.AtEnd()) {
            const std::string_view slot = reader.Read(kKeySlotSize);
            const auto length = static_cast<std::uint8_t>(slot[0]);
            if (length < kKeySlotSize)
                keys.emplace(slot.substr(1, length));
            const std::int32_t textSize = reader.ReadInt32();
            if (textSize > 0)
                reader.Read(static_cast<std::size_t>(textSize));
            const std::int32_t count = reader.ReadInt32();
            reader.ReadInt32(); // Notify
            for (std::int32_t i = 0; i < count; ++i) {
                const std::int32_t size = reader.ReadInt32();
                if (size > 0)
                    reader.Read(static_cast<std::size_t>(size));
            }
        }
    } catch (const StorageError&) {
        return std::nullopt;
    }
    return keys;
}

bool Agrees(const PairOnDisk& pair) {
    return !pair.Data || !pair.Memo || HalvesAgree(pair.Data->view(), pair.Memo->view());
}

// The data file of a save that put its rich-text file in place and stopped
// before its data file: its new rich-text file is gone, and its Keys are
// those of the rich-text file in place.
std::optional<std::string> LeftoverFor(const std::string& dataFileName, std::string_view memo) {
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

std::uint64_t BytesHash(std::string_view bytes, std::uint64_t from) {
    for (const char c : bytes)
        from = (from ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return from;
}

std::uint64_t PairHash(std::uint64_t dataHash, std::uint64_t memoHash, bool memoExists) {
    return (dataHash * 31 + memoHash) * 2 + (memoExists ? 1 : 0);
}

PairStamps StampsOfPair(const std::string& dataFileName) {
    return {file_ops::StampOf(dataFileName), file_ops::StampOf(MemoPathFor(dataFileName))};
}

bool HalvesAgree(std::string_view data, std::string_view memo) {
    const std::optional<std::unordered_set<std::string>> blocks = BlockKeys(memo);
    if (!blocks)
        return false;
    const std::unordered_set<std::string> records = RecordKeys(data);
    for (const std::string& key : records)
        if (!blocks->contains(key))
            return false;
    for (const std::string& key : *blocks)
        if (!records.contains(key))
            return false;
    return true;
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
        if (const auto leftover = LeftoverFor(dataFileName, pair.Memo->view())) {
            pair.Data = file_ops::ReadAll(*leftover);
            pair.Leftover = *leftover;
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
                          const std::function<std::string_view()>& data) {
    const std::string memoPath = MemoPathFor(dataFileName);
    const std::string folder = file_ops::FolderOf(dataFileName);
    const std::string newMemo = Pending(memoPath, writerTag);
    const std::string newData = Pending(dataFileName, writerTag);
    PairVersion written;
    try {
        std::uint64_t memoHash = BytesHash({});
        file_ops::WriteFlushed(newMemo, [&](const file_ops::ByteSink& write) {
            writeMemo([&](std::string_view bytes) {
                memoHash = BytesHash(bytes, memoHash);
                write(bytes);
            });
        });
        const std::string_view dataBytes = data();
        file_ops::WriteFlushed(newData, dataBytes);
        written.Hash = PairHash(BytesHash(dataBytes), memoHash, true);
        // A rename keeps the size and the time of the last write: these are
        // the stamps of the pair in place, whoever replaces it later.
        written.Stamps.Data = file_ops::StampOf(newData);
        written.Stamps.Memo = file_ops::StampOf(newMemo);
        file_ops::Replace(newMemo, memoPath);
    } catch (...) {
        file_ops::RemoveQuietly(newMemo);
        file_ops::RemoveQuietly(newData);
        throw;
    }
    file_ops::SyncFolder(folder);
    // From here the new data file is the one a load takes if this rename
    // does not happen: leave it in place on failure.
    file_ops::Replace(newData, dataFileName);
    file_ops::SyncFolder(folder);
    return written;
}

} // namespace zandrel
