#include "storage/core/message_list.h"

#include "storage/core/file_ops.h"
#include "storage/core/repeat_file.h"
#include "storage/core/storage_error.h"

#include <algorithm>
#include <cstdio>

namespace zandrel {
namespace {

void FillFromEditor(TMessageEntry& entry, const EditorValues& values, const Clock& clock) {
    const TDateTime alarmBefore = entry.Record.AlarmDate;
    const std::int32_t notifyBefore = entry.Notify;
    entry.SetStartDate(values.StartDate);
    entry.SetAlarmDate(values.AlarmDate);
    entry.SetIncType(static_cast<std::uint8_t>(values.IncType), clock);
    entry.Record.ShortText[0] = 0;
    entry.RichText = values.RichText;
    entry.ShownAsPlainText = false;
    entry.Addresses = values.Addresses;
    entry.Notify = values.Notify ? 1 : 0;
    entry.Repeat = EditedRepeat(entry.Repeat, alarmBefore, notifyBefore, entry.Record.AlarmDate,
                                values.Repeat, values.Notify);
}

std::string DamagedName(const std::string& path, TDateTime now, int attempt) {
    const DateTimeParts p = DecodeDateTime(now);
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".damaged-%04d-%02d-%02d_%02d-%02d-%02d", p.Year, p.Month,
                  p.Day, p.Hour, p.Minute, p.Second);
    std::string name = path + suffix;
    if (attempt > 1)
        name += "-" + std::to_string(attempt);
    return name;
}

// A name for the copy of a damaged file that no file has yet.
std::string FreeDamagedName(const std::string& path, TDateTime now) {
    std::string target;
    for (int attempt = 1; target.empty() || file_ops::Exists(target); ++attempt)
        target = DamagedName(path, now, attempt);
    return target;
}

} // namespace

MessageList::MessageList(std::string dataFileName) : dataFileName_(std::move(dataFileName)) {}

std::optional<std::size_t> MessageList::IndexOfKey(std::string_view key) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].Key == key)
            return i;
    return std::nullopt;
}

TMessageEntry* MessageList::Current() {
    if (CurrentIndex < 0 || static_cast<std::size_t>(CurrentIndex) >= items_.size())
        return nullptr;
    return items_[static_cast<std::size_t>(CurrentIndex)].Entry.get();
}

TMessageEntry& MessageList::Append(std::unique_ptr<TMessageEntry> entry) {
    std::string key = entry->Key;
    items_.push_back({std::move(key), std::move(entry)});
    return *items_.back().Entry;
}

void MessageList::ReplaceAt(std::size_t index, std::unique_ptr<TMessageEntry> entry) {
    MessageListItem& item = items_.at(index);
    item.Key = entry->Key;
    item.Entry = std::move(entry);
}

TMessageEntry& MessageList::New(const Clock& clock, std::string richText) {
    auto entry = std::make_unique<TMessageEntry>(clock, dataFileName_);
    entry->RichText = std::move(richText);
    entry->Key = MakeKey(entry->Record.Stamp);
    TMessageEntry& added = Append(std::move(entry));
    SaveMessages();
    return added;
}

TMessageEntry& MessageList::Add(const Clock& clock, const EditorValues& values) {
    auto entry = std::make_unique<TMessageEntry>(clock, dataFileName_);
    FillFromEditor(*entry, values, clock);
    entry->Record.Stamp = DateTimeToTimeStamp(clock.Now());
    entry->Key = MakeKey(entry->Record.Stamp);
    TMessageEntry& added = Append(std::move(entry));
    SaveMessages();
    return added;
}

std::optional<std::string> MessageList::Replace(const Clock& clock, const EditorValues& values) {
    TMessageEntry* current = Current();
    if (!current)
        return std::nullopt;
    std::unique_ptr<TMessageEntry> copy = current->Clone();
    FillFromEditor(*copy, values, clock);
    std::string key = copy->Key;
    ReplaceAt(static_cast<std::size_t>(CurrentIndex), std::move(copy));
    SaveMessages();
    SelectKey(key);
    return key;
}

void MessageList::Delete() {
    if (items_.empty())
        return;
    if (!Current()) {
        CurrentIndex = 0;
        return;
    }
    items_.erase(items_.begin() + CurrentIndex);
}

void MessageList::Prev() {
    CurrentIndex = std::max(CurrentIndex - 1, 0);
}

void MessageList::Next() {
    if (items_.size() < 2)
        return;
    CurrentIndex = std::min(CurrentIndex + 1, static_cast<int>(items_.size()) - 1);
}

void MessageList::SelectLast() {
    if (!items_.empty())
        CurrentIndex = static_cast<int>(items_.size()) - 1;
}

void MessageList::SelectKey(std::string_view key) {
    if (const auto index = IndexOfKey(key))
        CurrentIndex = static_cast<int>(*index);
}

MessageList::LoadResult MessageList::LoadItems(std::string_view data, RichTextIndex* memo,
                                               const Clock& clock) {
    items_.clear();
    StampRenewal stamps;
    const LoadContext context{clock, memo, stamps};
    ByteReader reader(data);
    while (!reader.AtEnd()) {
        if (reader.Remaining() < sizeof(MessageRecord))
            return LoadResult::DataDamaged;
        auto entry = std::make_unique<TMessageEntry>(clock, dataFileName_);
        try {
            entry->LoadFromStream(reader, context);
        } catch (const StorageError&) {
            return LoadResult::MemoDamaged;
        }
        Append(std::move(entry));
    }
    return LoadResult::Complete;
}

void MessageList::LoadFromBytes(std::string_view data, std::optional<std::string_view> memo,
                                const Clock& clock) {
    std::optional<RichTextIndex> index;
    if (memo)
        index.emplace(*memo);
    if (LoadItems(data, index ? &*index : nullptr, clock) != LoadResult::Complete)
        throw StorageError(kStreamReadError);
}

void MessageList::LoadMessages(const Clock& clock) {
    items_.clear();
    pendingCopies_.clear();
    LoadFromPair(ReadPair(dataFileName_, Pause), clock);
}

void MessageList::LoadFromPair(const PairOnDisk& pair, const Clock& clock) {
    items_.clear();
    pendingCopies_.clear();
    leftovers_.clear();
    for (const std::string* leftover : {&pair.Leftover, &pair.LeftoverRepeats})
        if (!leftover->empty())
            leftovers_.push_back(*leftover);
    if (!pair.Data)
        return;
    const std::string memoPath = MemoFileName();
    const std::string dataPath = pair.Leftover.empty() ? dataFileName_ : pair.Leftover;
    RichTextIndex* memo = pair.Memo.get();
    LoadResult result = LoadItems(pair.Data->view(), memo, clock);
    if (result == LoadResult::Complete && !pair.Whole)
        result = LoadResult::HalvesApart;
    std::optional<RepeatFileProblem> repeats;
    if (auto error =
            ApplyRepeats(pair.Repeats ? std::optional(pair.Repeats->view()) : std::nullopt, items_))
        repeats = RepeatFileProblem{pair.RepeatsPath, std::move(*error)};
    if (result == LoadResult::Complete) {
        if (repeats)
            throw StorageError(KeepRepeatsAside(*repeats, clock.Now()));
        return;
    }

    // The next save would overwrite what follows the damage: keep the files
    // as found, under names no file has yet.
    const TDateTime now = clock.Now();
    std::vector<std::string> sources{dataPath};
    if (memo)
        sources.push_back(memoPath);
    for (const std::string& source : sources)
        pendingCopies_.push_back({source, FreeDamagedName(source, now)});
    std::string text =
        result == LoadResult::HalvesApart
            ? "The files \"" + dataPath + "\" and \"" + memoPath +
                  "\" come from two different saves: a note may show without its text. Before "
                  "the next save, the data files as found are copied to"
            : std::string(kStreamReadError) + " in \"" +
                  (result == LoadResult::DataDamaged ? dataPath : memoPath) +
                  "\": the messages after the damaged one were not loaded. Before the next "
                  "save, the data files as found are copied to";
    for (std::size_t i = 0; i < pendingCopies_.size(); ++i)
        text += (i == 0 ? " \"" : " and \"") + pendingCopies_[i].To + "\"";
    text += ".";
    if (repeats)
        text += " " + KeepRepeatsAside(*repeats, now);
    throw StorageError(text);
}

std::string MessageList::KeepRepeatsAside(const RepeatFileProblem& problem, TDateTime now) {
    pendingCopies_.push_back({problem.Path, FreeDamagedName(problem.Path, now)});
    return "The repeats in \"" + problem.Path + "\" could not all be read (" + problem.Text +
           "); the messages keep the others. Before the next save, the file as found is copied "
           "to \"" +
           pendingCopies_.back().To + "\".";
}

// Each buffer is allocated once at its final size: growing it step by step
// would touch about twice as much fresh memory.
void MessageList::SaveToBytes(std::string& data, std::string& memo) {
    data.clear();
    memo.clear();
    std::size_t memoSize = 0;
    for (const MessageListItem& item : items_)
        memoSize += RichTextBlockSize(item.Entry->RichText, item.Entry->Addresses);
    data.reserve(items_.size() * sizeof(MessageRecord));
    memo.reserve(memoSize);
    for (MessageListItem& item : items_)
        item.Entry->SaveToStreams(data, memo);
}

void MessageList::SaveMessages() {
    if (SaveHandler)
        SaveHandler();
    else
        WriteMessages();
}

// The rich-text file, the larger one, goes out in pieces as its blocks are
// made: no buffer holds all of it.
PairVersion MessageList::WriteMessages() {
    if (BeforeSave)
        BeforeSave();
    while (!pendingCopies_.empty()) {
        const DamagedCopy& copy = pendingCopies_.front();
        if (file_ops::Exists(copy.From))
            file_ops::CopyNew(copy.From, copy.To);
        pendingCopies_.erase(pendingCopies_.begin());
    }

    constexpr std::size_t pieceSize = 256 * 1024;
    const std::string repeats = RepeatFileBytes(items_);
    std::string data;
    data.reserve(items_.size() * sizeof(MessageRecord));
    const PairVersion written = WriteFilePair(
        dataFileName_, WriterTag,
        [&](const file_ops::ByteSink& write) {
            std::string piece;
            piece.reserve(pieceSize);
            for (MessageListItem& item : items_) {
                item.Entry->SaveToStreams(data, piece);
                if (piece.size() >= pieceSize) {
                    write(piece);
                    piece.clear();
                }
            }
            write(piece);
        },
        [&] { return std::string_view(data); }, repeats);
    for (const std::string& leftover : std::exchange(leftovers_, {}))
        file_ops::RemoveQuietly(leftover);
    return written;
}

} // namespace zandrel
