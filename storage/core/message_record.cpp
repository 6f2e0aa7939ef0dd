#include "storage/core/message_record.h"

#include "storage/core/storage_error.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

namespace zandrel {
namespace {

void AppendInt32(std::string& out, std::int32_t value) {
    char bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);
    out.append(bytes, sizeof bytes);
}

std::int32_t CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw StorageError("A message text or address is too long to be saved");
    return static_cast<std::int32_t>(size);
}

} // namespace

std::string MakeKey(TimeStamp stamp) {
    // Every load makes one Key per record: to_chars writes what "%d" would,
    // without parsing a format each time.
    char date[16];
    char time[16];
    char* dateEnd = std::to_chars(date, date + sizeof date, stamp.Date).ptr;
    char* timeEnd = std::to_chars(time, time + sizeof time, stamp.Time).ptr;
    std::string key(date, dateEnd);
    key += ' ';
    key.append(time, timeEnd);
    return key;
}

std::string_view ByteReader::Read(std::size_t count) {
    if (count > Remaining())
        throw StorageError(kStreamReadError);
    const std::string_view part = bytes_.substr(pos_, count);
    pos_ += count;
    return part;
}

std::int32_t ByteReader::ReadInt32() {
    std::int32_t value;
    std::memcpy(&value, Read(sizeof value).data(), sizeof value);
    return value;
}

namespace {

// Reads a file front to back through one buffer, so that a file's bytes are
// copied only to where they belong. Any read past its end fails with the
// stream read error before anything is kept: no length taken from a file can
// reach beyond the file.
class PieceReader {
public:
    PieceReader(const file_ops::ByteSource& source, std::size_t size)
        : source_(source), left_(size) {}

    bool AtEnd() { return !Fill(); }

    // Appends the next `count` bytes to `*into` (after clearing it), or
    // passes over them when `into` is null.
    void Read(std::size_t count, std::string* into) {
        if (count > left_ + (end_ - pos_))
            throw StorageError(kStreamReadError);
        if (into) {
            into->clear();
            into->reserve(count);
        }
        while (count > 0) {
            if (!Fill())
                throw StorageError(kStreamReadError);
            const std::size_t part = std::min(count, end_ - pos_);
            if (into)
                into->append(buffer_ + pos_, part);
            pos_ += part;
            count -= part;
        }
    }

    std::int32_t ReadInt32() {
        char bytes[4];
        for (char& byte : bytes) {
            if (!Fill())
                throw StorageError(kStreamReadError);
            byte = buffer_[pos_++];
        }
        std::int32_t value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

private:
    // True when a byte is waiting in the buffer.
    bool Fill() {
        if (pos_ < end_)
            return true;
        pos_ = 0;
        end_ = left_ > 0 ? source_(buffer_, std::min(left_, sizeof buffer_)) : 0;
        left_ = end_ > 0 ? left_ - end_ : 0; // a file that shrank ends here
        return end_ > 0;
    }

    const file_ops::ByteSource& source_;
    std::size_t left_; // bytes not yet in the buffer
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    char buffer_[64 * 1024];
};

} // namespace

void AppendRichTextBlock(std::string& out, std::string_view key, std::string_view richText,
                         std::int32_t notify, const std::vector<std::string>& addresses) {
    const std::int32_t textSize = CheckedLength(richText.size());
    const std::int32_t count = CheckedLength(addresses.size());
    const std::size_t keySize = std::min(key.size(), kKeySlotSize - 1);
    char slot[kKeySlotSize] = {};
    slot[0] = static_cast<char>(keySize);
    std::memcpy(slot + 1, key.data(), keySize);
    out.append(slot, sizeof slot);
    AppendInt32(out, textSize);
    out.append(richText);
    AppendInt32(out, count);
    AppendInt32(out, notify);
    for (const std::string& address : addresses) {
        AppendInt32(out, CheckedLength(address.size()));
        out.append(address);
    }
}

std::size_t RichTextBlockSize(std::string_view richText,
                              const std::vector<std::string>& addresses) {
    std::size_t size = kKeySlotSize + 3 * sizeof(std::int32_t) + richText.size();
    for (const std::string& address : addresses)
        size += sizeof(std::int32_t) + address.size();
    return size;
}

RichTextIndex::RichTextIndex(std::string_view bytes)
    : RichTextIndex(
          [&bytes](char* into, std::size_t count) {
              const std::size_t given = bytes.copy(into, count);
              bytes.remove_prefix(given);
              return given;
          },
          bytes.size()) {}

RichTextIndex::RichTextIndex(const file_ops::ByteSource& source, std::size_t size) {
    PieceReader reader(source, size);
    try {
        std::string key;
        while (!reader.AtEnd()) {
            reader.Read(kKeySlotSize, &key);
            // A slot whose length byte reaches past the slot holds no Key,
            // and a block without text is read past by every lookup.
            const auto keySize = static_cast<std::uint8_t>(key[0]);
            key = keySize < kKeySlotSize ? key.substr(1, keySize) : std::string();
            const std::int32_t textSize = reader.ReadInt32();
            const bool keep = keySize < kKeySlotSize && textSize > 0 && !first_.contains(key);
            RichTextBlock block;
            if (textSize > 0)
                reader.Read(static_cast<std::size_t>(textSize), keep ? &block.Text : nullptr);
            block.AddressCount = reader.ReadInt32();
            block.Notify = reader.ReadInt32();
            // Every item takes at least its 4 length bytes, so a count larger
            // than the file runs into the end of the file, not into memory.
            for (std::int32_t i = 0; i < block.AddressCount; ++i) {
                const std::int32_t length = reader.ReadInt32();
                if (length <= 0)
                    continue;
                const bool address = keep && length >= 2;
                if (address)
                    block.Addresses.emplace_back();
                reader.Read(static_cast<std::size_t>(length),
                            address ? &block.Addresses.back() : nullptr);
            }
            if (keep) {
                textless_.erase(key);
                first_.emplace(std::move(key), blocks_.size());
                blocks_.push_back(std::move(block));
            } else if (keySize < kKeySlotSize && !first_.contains(key)) {
                textless_.insert(std::move(key));
            }
        }
    } catch (const StorageError&) {
        damaged_ = true;
    }
}

const RichTextBlock* RichTextIndex::Find(std::string_view key) const {
    const auto found = first_.find(std::string(key));
    if (found != first_.end())
        return &blocks_[found->second];
    if (damaged_)
        throw StorageError(kStreamReadError);
    return nullptr;
}

RichTextBlock* RichTextIndex::Find(std::string_view key) {
    return const_cast<RichTextBlock*>(std::as_const(*this).Find(key));
}

} // namespace zandrel
