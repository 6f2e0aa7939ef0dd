#pragma once
// One message in memory: its record, formatted text, address list and the
// sticker showing it.
#include "storage/core/clock.h"
#include "storage/core/datetime.h"
#include "storage/core/message_record.h"
#include "storage/core/repeat.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zandrel {

// The "Each hour" step: the decimal constant, 0.576 s short of an hour.
inline constexpr TDateTime kHourStep = 0.04166;

// Gives the stamps renewed during one load distinct values: each one at
// least 1 ms after the previous one, however fast the records are read.
class StampRenewal {
public:
    TimeStamp Next(const Clock& clock);

private:
    std::optional<std::int64_t> lastMs_;
};

// What reading one record needs besides the record itself. `memo` is null
// when the rich-text file does not exist.
struct LoadContext {
    const Clock& clock;
    RichTextIndex* memo;
    StampRenewal& stamps;
};

class TMessageEntry {
public:
    // Defaults: StartDate = now, AlarmDate = now + 1, NextWarn = now + 1/24,
    // Stamp = time stamp of now; everything else zero or empty (Key too).
    TMessageEntry(const Clock& clock, std::string dataPath);
    TMessageEntry(const TMessageEntry&) = delete;
    TMessageEntry& operator=(const TMessageEntry&) = delete;

    // Same record bytes, Key, Notify, RichText, Addresses and Repeat;
    // TimerLook and ShownAsPlainText too; StickerHandle and AddressCount 0.
    std::unique_ptr<TMessageEntry> Clone() const;

    void SetStartDate(TDateTime x);
    void SetAlarmDate(TDateTime x);
    // Ignored when k, read as a signed byte, is outside 0..3.
    void SetIncType(std::uint8_t k, const Clock& clock);
    void ComputeNextWarn(const Clock& clock);
    void SetKeepHidden(bool value);
    // A place that lies where no monitor of the virtual screen can be is
    // marked unusable (PosInvalid 1), and so is a new message's (0, 0).
    void SetPosition(bool invalid, std::int32_t left, std::int32_t top);
    void CheckPosition();

    // Appends the record to `data` and the rich-text block to `memo`.
    void SaveToStreams(std::string& data, std::string& memo);
    // Reads the next record from `data` and completes the entry (Key,
    // fix-ups, rich text, fallback text). Throws StorageError on a short read.
    void LoadFromStream(ByteReader& data, const LoadContext& context);
    // Takes text, Notify and addresses from the first block with this Key and
    // a text; true when there was one. The first entry to ask moves them out
    // of the index; it must outlive the lookups of the same Key after it.
    // Throws StorageError when the lookup reaches a damaged part of the file.
    bool LoadRichText(RichTextIndex& memo);

    // Record first: the entry is 8-aligned, so every record field is aligned too.
    MessageRecord Record{};
    std::uintptr_t StickerHandle = 0; // set by the sticker rebuild, never stored
    // The timer's last look at its moments; creation and loading count as one.
    // Never stored.
    TDateTime TimerLook = 0;
    std::string DataPath;
    std::string MemoPath;
    std::string Key;
    std::int32_t Notify = 0;
    std::int32_t AddressCount = 0;
    std::vector<std::string> Addresses;
    std::string RichText; // bytes exactly as the rich-edit control saved them
    // Stored beside the data files, by Key (storage/core/repeat_file.h).
    RepeatRule Repeat;
    // Its RTF once ended a start of the program inside the rich-text control:
    // shown as plain text until it is replaced. Never stored in the data files.
    bool ShownAsPlainText = false;

private:
    TMessageEntry() = default;
};

// Whether a sticker can be put back at the stored place: PosInvalid is 0 and
// the place is one a monitor could show. Monitors lie anywhere on the virtual
// screen, to the left of and above the primary one too, within the 16-bit
// coordinates windows have; at least 30 pixels of the sticker stay inside
// them. The place (0, 0) is that of a message never dragged: no place yet.
// Whether a monitor shows it now is the rebuild's question, not this one:
// a place on a monitor that is away stays stored for its return.
bool StoredPlaceUsable(const MessageRecord& record);

// The rich-text file that goes with a data file: same folder,
// "ZandrelData_Memo.dat". Both '/' and, under Windows, '\\' separate folders.
std::string MemoPathFor(const std::string& dataPath);

} // namespace zandrel
