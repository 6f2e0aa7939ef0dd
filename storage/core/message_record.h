#pragma once
// The byte layouts of both data files: the 292-byte message record of
// "ZandrelData.dat" and the rich-text block of "ZandrelData_Memo.dat".
#include "storage/core/datetime.h"
#include "storage/core/file_ops.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zandrel {

static_assert(std::endian::native == std::endian::little,
              "the record is read and written as it lies in memory");

inline constexpr std::size_t kShortTextSize = 239; // length byte + 238 characters
inline constexpr std::size_t kKeySlotSize = 100;

#pragma pack(push, 1)
// Read and written as one block of bytes; every field sits at its file offset.
struct MessageRecord {
    TDateTime StartDate;
    TDateTime AlarmDate;
    std::uint8_t ShortText[kShortTextSize];
    std::uint8_t PosInvalid;
    std::int32_t PosLeft;
    std::int32_t PosTop;
    TDateTime NextWarn;
    std::uint8_t Reserved272[4];
    TimeStamp Stamp;
    std::uint8_t IncType;
    std::uint8_t KeepHidden;
    std::uint8_t Reserved286[6];
};
#pragma pack(pop)

static_assert(sizeof(MessageRecord) == 292);
static_assert(offsetof(MessageRecord, StartDate) == 0);
static_assert(offsetof(MessageRecord, AlarmDate) == 8);
static_assert(offsetof(MessageRecord, ShortText) == 16);
static_assert(offsetof(MessageRecord, PosInvalid) == 255);
static_assert(offsetof(MessageRecord, PosLeft) == 256);
static_assert(offsetof(MessageRecord, PosTop) == 260);
static_assert(offsetof(MessageRecord, NextWarn) == 264);
static_assert(offsetof(MessageRecord, Reserved272) == 272);
static_assert(offsetof(MessageRecord, Stamp) == 276);
static_assert(offsetof(MessageRecord, Stamp) + offsetof(TimeStamp, Date) == 280);
static_assert(offsetof(MessageRecord, IncType) == 284);
static_assert(offsetof(MessageRecord, KeepHidden) == 285);
static_assert(offsetof(MessageRecord, Reserved286) == 286);
static_assert(sizeof(TimeStamp) == 8 && sizeof(TDateTime) == 8);

// "%d %d" of Stamp.Date and Stamp.Time.
std::string MakeKey(TimeStamp stamp);

// Reads from a byte buffer; any read past its end fails with the stream read
// error, so no length taken from a file can reach beyond the file.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    bool AtEnd() const { return pos_ == bytes_.size(); }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    std::string_view Read(std::size_t count);
    std::int32_t ReadInt32();

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Appends one rich-text block. The Key is cut to the 99 characters the slot
// holds. Fails with StorageError when the text is too long for its Int32 length.
void AppendRichTextBlock(std::string& out, std::string_view key, std::string_view richText,
                         std::int32_t notify, const std::vector<std::string>& addresses);
// The bytes AppendRichTextBlock appends for this text and these addresses.
std::size_t RichTextBlockSize(std::string_view richText, const std::vector<std::string>& addresses);

class TMessageEntry;

// One block of the rich-text file.
struct RichTextBlock {
    std::string Text;
    std::int32_t AddressCount = 0; // C as stored
    std::int32_t Notify = 0;
    std::vector<std::string> Addresses; // only those of 2 bytes or more
    // The entry that took Text and Addresses away; later entries with the
    // same Key copy them from it.
    const TMessageEntry* TakenBy = nullptr;
};

// The whole rich-text file read in one pass. A Key finds the first block that
// carries it with a text of at least one byte; blocks after a damaged (cut
// short) block are unknown, so a Key not found before the damage is a read
// error for whoever looks it up. Only those first blocks are kept.
class RichTextIndex {
public:
    // Reads the file through `source`, which gives at most `size` bytes.
    RichTextIndex(const file_ops::ByteSource& source, std::size_t size);
    explicit RichTextIndex(std::string_view bytes);
    RichTextIndex(const RichTextIndex&) = delete;
    RichTextIndex& operator=(const RichTextIndex&) = delete;
    // Null when no block carries this Key; throws StorageError (stream read
    // error) when the Key is not in the part before the damage.
    const RichTextBlock* Find(std::string_view key) const;
    RichTextBlock* Find(std::string_view key);
    bool Damaged() const { return damaged_; }
    // Whether some block, with a text or without, carries this Key; and how
    // many Keys the blocks carry.
    bool HasBlock(const std::string& key) const {
        return first_.contains(key) || textless_.contains(key);
    }
    std::size_t BlockKeyCount() const { return first_.size() + textless_.size(); }

private:
    std::vector<RichTextBlock> blocks_;
    // The Keys lie together, not scattered among the texts read between
    // them: a lookup then does not wait for memory far apart.
    std::pmr::monotonic_buffer_resource keyMemory_;
    std::pmr::unordered_map<std::string, std::size_t> first_{&keyMemory_};
    // The Keys of blocks without a text that no block with a text carries.
    std::pmr::unordered_set<std::string> textless_{&keyMemory_};
    bool damaged_ = false;
};

} // namespace zandrel
