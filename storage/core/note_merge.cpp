#include "storage/core/note_merge.h"

#include "storage/core/datetime.h"

#include <algorithm>
#include <unordered_set>

namespace zandrel {
namespace {

class Fnv64 {
public:
    void Add(const void* bytes, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(bytes);
        for (std::size_t i = 0; i < size; ++i)
            hash_ = (hash_ ^ p[i]) * 1099511628211ull;
    }
    void Add(std::string_view text) {
        const std::uint64_t size = text.size();
        Add(&size, sizeof size); // so that "ab"+"c" differs from "a"+"bc"
        Add(text.data(), text.size());
    }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

// The identity of each item: its Key, and "Key#n" for the n-th later item
// with the same Key.
std::vector<std::string> IdentitiesOf(const std::vector<MessageListItem>& items) {
    std::unordered_map<std::string, int> seen;
    std::vector<std::string> ids;
    ids.reserve(items.size());
    for (const MessageListItem& item : items) {
        const int n = seen[item.Key]++;
        ids.push_back(n == 0 ? item.Key : item.Key + "#" + std::to_string(n));
    }
    return ids;
}

// Copies what the user edits from `from` into `into`, which keeps its place,
// Keep Hidden and mail flag (merged apart) and its sticker.
void TakeContent(const TMessageEntry& from, TMessageEntry& into) {
    const MessageRecord kept = into.Record;
    into.Record = from.Record;
    into.Record.PosInvalid = kept.PosInvalid;
    into.Record.PosLeft = kept.PosLeft;
    into.Record.PosTop = kept.PosTop;
    into.Record.KeepHidden = kept.KeepHidden;
    into.RichText = from.RichText;
    into.Addresses = from.Addresses;
    into.AddressCount = from.AddressCount;
    into.Repeat = from.Repeat;
}

// Whether a notification is still pending for a note both sides have: it
// goes once, so a side that sent it wins; otherwise the side that changed it.
bool NotifyPending(const NoteFingerprint* base, const NoteFingerprint& ours,
                   const NoteFingerprint& theirs) {
    if (!base || base->NotifyPending)
        return ours.NotifyPending && theirs.NotifyPending;
    return ours.NotifyPending != base->NotifyPending ? ours.NotifyPending : theirs.NotifyPending;
}

// The place and Keep Hidden of a note both sides have: this side's where it
// changed them, else the disk's.
void MergePlace(const NoteFingerprint* base, const TMessageEntry& theirs, TMessageEntry& ours) {
    const MessageRecord& o = ours.Record;
    const bool ourPlace = !base || o.PosInvalid != base->PosInvalid || o.PosLeft != base->PosLeft ||
                          o.PosTop != base->PosTop;
    if (!ourPlace) {
        ours.Record.PosInvalid = theirs.Record.PosInvalid;
        ours.Record.PosLeft = theirs.Record.PosLeft;
        ours.Record.PosTop = theirs.Record.PosTop;
    }
    if (base && o.KeepHidden == base->KeepHidden)
        ours.Record.KeepHidden = theirs.Record.KeepHidden;
}

// A stamp of `clock` that no Key in `taken` has, which it joins.
TimeStamp FreshStamp(const Clock& clock, std::unordered_set<std::string>& taken) {
    TimeStamp stamp = DateTimeToTimeStamp(clock.Now());
    while (taken.contains(MakeKey(stamp))) {
        if (++stamp.Time == kMsPerDay) {
            stamp.Time = 0;
            ++stamp.Date;
        }
    }
    taken.insert(MakeKey(stamp));
    return stamp;
}

} // namespace

NoteFingerprint FingerprintOf(const TMessageEntry& entry) {
    const MessageRecord& r = entry.Record;
    Fnv64 content;
    content.Add(&r.StartDate, sizeof r.StartDate);
    content.Add(&r.AlarmDate, sizeof r.AlarmDate);
    content.Add(r.ShortText, sizeof r.ShortText);
    content.Add(r.Reserved272, sizeof r.Reserved272);
    content.Add(&r.IncType, sizeof r.IncType);
    content.Add(r.Reserved286, sizeof r.Reserved286);
    content.Add(entry.RichText);
    for (const std::string& address : entry.Addresses)
        content.Add(address);
    const RepeatRule& repeat = entry.Repeat;
    content.Add(&repeat.Period, sizeof repeat.Period);
    content.Add(&repeat.Day, sizeof repeat.Day);
    content.Add(&repeat.Due, sizeof repeat.Due);
    content.Add(&repeat.Mail, sizeof repeat.Mail);
    return {content.Value(), r.PosInvalid, r.PosLeft, r.PosTop, r.KeepHidden, entry.Notify > 0};
}

NoteBase BaseOf(const MessageList& list) {
    NoteBase base;
    const std::vector<std::string> ids = IdentitiesOf(list.Items());
    for (std::size_t i = 0; i < ids.size(); ++i)
        base.emplace(ids[i], FingerprintOf(list.Entry(i)));
    return base;
}

MergeOutcome MergeNotes(const NoteBase& base, MessageList& onDisk, MessageList& inMemory,
                        const Clock& clock) {
    MergeOutcome outcome;
    const TMessageEntry* current = inMemory.Current();
    const std::string currentKey = current ? current->Key : std::string();
    const NoteBase before = BaseOf(inMemory);
    const std::vector<std::string> ourIds = IdentitiesOf(inMemory.Items());
    std::vector<MessageListItem> theirs = onDisk.TakeItems();
    std::vector<MessageListItem> ours = inMemory.TakeItems();
    const std::vector<std::string> theirIds = IdentitiesOf(theirs);
    std::unordered_map<std::string, std::size_t> ourIndex;
    std::unordered_set<std::string> keys;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        ourIndex.emplace(ourIds[i], i);
        keys.insert(ours[i].Key);
    }
    for (const MessageListItem& item : theirs)
        keys.insert(item.Key);
    auto baseOf = [&base](const std::string& id) -> const NoteFingerprint* {
        const auto found = base.find(id);
        return found == base.end() ? nullptr : &found->second;
    };

    std::vector<MessageListItem> merged;
    std::vector<bool> ourTaken(ours.size(), false);
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        MessageListItem& their = theirs[i];
        const NoteFingerprint* was = baseOf(theirIds[i]);
        const NoteFingerprint t = FingerprintOf(*their.Entry);
        const auto o = ourIndex.find(theirIds[i]);
        if (o == ourIndex.end()) {
            // Added there, or deleted here: a deletion gives way to a change.
            if (!was || was->Content != t.Content)
                merged.push_back(std::move(their));
            continue;
        }
        ourTaken[o->second] = true;
        MessageListItem& our = ours[o->second];
        const NoteFingerprint f = FingerprintOf(*our.Entry);
        const bool theyChanged = !was || was->Content != t.Content;
        const bool weChanged = !was || was->Content != f.Content;
        const std::int32_t notify = NotifyPending(was, f, t) ? std::max(1, our.Entry->Notify) : 0;
        if (theyChanged && weChanged && t.Content != f.Content) {
            their.Entry->Notify = notify;
            our.Entry->Notify = notify;
            our.Entry->Record.Stamp = FreshStamp(clock, keys);
            our.Entry->Key = MakeKey(our.Entry->Record.Stamp);
            our.Key = our.Entry->Key;
            outcome.KeptTwice.push_back(our.Key);
            merged.push_back(std::move(their));
            merged.push_back(std::move(our));
            continue;
        }
        if (theyChanged && !weChanged)
            TakeContent(*their.Entry, *our.Entry);
        MergePlace(was, *their.Entry, *our.Entry);
        our.Entry->Notify = notify;
        merged.push_back(std::move(our));
    }
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (ourTaken[i])
            continue;
        // Added here, or deleted there: a deletion gives way to a change.
        const NoteFingerprint* was = baseOf(ourIds[i]);
        if (!was || was->Content != FingerprintOf(*ours[i].Entry).Content)
            merged.push_back(std::move(ours[i]));
    }

    for (auto* side : {&theirs, &ours})
        for (MessageListItem& item : *side)
            if (item.Entry)
                outcome.Removed.push_back(std::move(item.Entry));
    inMemory.SetItems(std::move(merged));
    outcome.Changed = IdentitiesOf(inMemory.Items()) != ourIds || BaseOf(inMemory) != before;
    inMemory.CurrentIndex = 0;
    for (std::size_t i = 0; i < inMemory.Count(); ++i) {
        if (&inMemory.Entry(i) == current) {
            inMemory.CurrentIndex = static_cast<int>(i);
            return outcome;
        }
    }
    if (const auto index = inMemory.IndexOfKey(currentKey))
        inMemory.CurrentIndex = static_cast<int>(*index);
    else if (!inMemory.Empty())
        inMemory.CurrentIndex = static_cast<int>(inMemory.Count()) - 1;
    return outcome;
}

} // namespace zandrel
