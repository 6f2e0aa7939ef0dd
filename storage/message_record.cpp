#include "storage/message_record.h"

#include "storage/storage_error.h"

#include <charconv>
#include <cstring>
#include <limits>

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

RichTextIndex::RichTextIndex(std::string_view bytes) {
    ByteReader reader(bytes);
    try {
        while (!reader.AtEnd()) {
            const std::string_view slot = reader.Read(kKeySlotSize);
            RichTextBlock block;
            const std::int32_t textSize = reader.ReadInt32();
            if (textSize > 0)
                block.Text = reader.Read(static_cast<std::size_t>(textSize));
            block.AddressCount = reader.ReadInt32();
            block.Notify = reader.ReadInt32();
            // Every item takes at least its 4 length bytes, so a count larger
            // than the file runs into the end of the file, not into memory.
            for (std::int32_t i = 0; i < block.AddressCount; ++i) {
                const std::int32_t length = reader.ReadInt32();
                if (length <= 0)
                    continue;
                const std::string_view address = reader.Read(static_cast<std::size_t>(length));
                if (length >= 2)
                    block.Addresses.push_back(address);
            }
            // A slot whose length byte reaches past the slot holds no Key,
            // and a block without text is read past by every lookup.
            const auto keySize = static_cast<std::uint8_t>(slot[0]);
            if (keySize >= kKeySlotSize || block.Text.empty())
                continue;
            const std::string_view key = slot.substr(1, keySize);
            if (first_.find(key) == first_.end()) {
                first_.emplace(key, blocks_.size());
                blocks_.push_back(std::move(block));
            }
        }
    } catch (const StorageError&) {
        damaged_ = true;
    }
}

const RichTextBlock* RichTextIndex::Find(std::string_view key) const {
    const auto found = first_.find(key);
    if (found != first_.end())
        return &blocks_[found->second];
    if (damaged_)
        throw StorageError(kStreamReadError);
    return nullptr;
}

} // namespace zandrel
