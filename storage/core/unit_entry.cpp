#include "storage/core/unit_entry.h"

#include "storage/core/file_ops.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zandrel {
namespace {

// Adds up to `days` whole days to `next` (days >= 1), taking exactly the
// double that adding them one at a time would give: whole days add without
// rounding within one binade of a positive value and toward zero from a
// negative one, so only the steps across such a boundary go one by one.
TDateTime AddWholeDays(TDateTime next, TDateTime days) {
    if (std::fabs(next) >= 0x1p52) // a damaged date: a day is below its precision
        return next + days;
    TDateTime exact = 0;
    if (next >= 1) {
        int exponent;
        std::frexp(next, &exponent);
        exact = std::ceil(std::ldexp(1.0, exponent) - next) - 1;
    } else if (next <= -1) {
        exact = std::floor(-next);
    }
    return next + std::max<TDateTime>(1, std::min(days, exact));
}

} // namespace
TimeStamp StampRenewal::Next(const Clock& clock) {
    const TimeStamp now = DateTimeToTimeStamp(clock.Now());
    std::int64_t ms = (static_cast<std::int64_t>(now.Date) - kDateDelta) * kMsPerDay + now.Time;
    if (lastMs_ && ms <= *lastMs_)
        ms = *lastMs_ + 1;
    lastMs_ = ms;
    return DateTimeToTimeStamp(static_cast<TDateTime>(ms) / kMsPerDay);
}

TMessageEntry::TMessageEntry(const Clock& clock, std::string dataPath)
    : DataPath(std::move(dataPath)), MemoPath(MemoPathFor(DataPath)) {
    const TDateTime now = clock.Now();
    Record.StartDate = now;
    Record.AlarmDate = now + 1.0;
    Record.NextWarn = now + 1.0 / 24;
    Record.Stamp = DateTimeToTimeStamp(now);
    TimerLook = now;
}

std::unique_ptr<TMessageEntry> TMessageEntry::Clone() const {
    std::unique_ptr<TMessageEntry> copy(new TMessageEntry);
    std::memcpy(&copy->Record, &Record, sizeof Record);
    copy->DataPath = DataPath;
    copy->MemoPath = MemoPath;
    copy->Key = Key;
    copy->Notify = Notify;
    copy->Addresses = Addresses;
    copy->RichText = RichText;
    copy->Repeat = Repeat;
    copy->TimerLook = TimerLook;
    copy->ShownAsPlainText = ShownAsPlainText;
    return copy;
}

void TMessageEntry::SetStartDate(TDateTime x) {
    Record.StartDate = x;
    if (x > Record.AlarmDate)
        Record.AlarmDate = x;
    if (x > Record.NextWarn)
        Record.NextWarn = x;
}

void TMessageEntry::SetAlarmDate(TDateTime x) {
    if (x > Record.StartDate)
        Record.AlarmDate = x;
}

void TMessageEntry::SetIncType(std::uint8_t k, const Clock& clock) {
    if (static_cast<std::int8_t>(k) < 0 || k >= 4)
        return;
    Record.IncType = k;
    ComputeNextWarn(clock);
}

void TMessageEntry::ComputeNextWarn(const Clock& clock) {
    const TDateTime start = Record.StartDate;
    if (!std::isfinite(start)) { // no step moves an infinite date
        Record.NextWarn = start;
        return;
    }
    TDateTime next = start;
    // Years of whole days in few jumps; the last days are stepped against
    // fresh readings of the clock.
    for (TDateTime gap; (gap = clock.Now() - 1 - next) > 2;)
        next = AddWholeDays(next, std::floor(gap) - 1);
    while (clock.Now() - 1 > next)
        next += 1;
    switch (Record.IncType) {
    case 0:
        next = start;
        break;
    case 1:
        while (clock.Now() > next)
            next += kHourStep;
        break;
    case 2:
        while (clock.Now() > next)
            next += 1;
        break;
    case 3:
        while (clock.Now() > next)
            next += 7;
        break;
    default:
        break;
    }
    Record.NextWarn = next;
}

void TMessageEntry::SetKeepHidden(bool value) {
    Record.KeepHidden = value ? 1 : 0;
}

void TMessageEntry::SetPosition(bool invalid, std::int32_t left, std::int32_t top) {
    Record.PosInvalid = invalid ? 1 : 0;
    Record.PosLeft = left;
    Record.PosTop = top;
    CheckPosition();
}

void TMessageEntry::CheckPosition() {
    if (!StoredPlaceUsable(Record))
        Record.PosInvalid = 1;
}

bool StoredPlaceUsable(const MessageRecord& record) {
    constexpr std::int32_t lowest = -32768, highest = 32767, keptInside = 30;
    auto inRange = [](std::int32_t coordinate) {
        return coordinate >= lowest && coordinate <= highest - keptInside;
    };
    return record.PosInvalid == 0 && inRange(record.PosLeft) && inRange(record.PosTop) &&
           !(record.PosLeft == 0 && record.PosTop == 0);
}

void TMessageEntry::SaveToStreams(std::string& data, std::string& memo) {
    if (Record.StartDate > Record.AlarmDate)
        Record.AlarmDate = Record.StartDate;
    AddressCount = static_cast<std::int32_t>(Addresses.size());
    data.append(reinterpret_cast<const char*>(&Record), sizeof Record);
    AppendRichTextBlock(memo, Key, RichText, Notify, Addresses);
}

void TMessageEntry::LoadFromStream(ByteReader& data, const LoadContext& context) {
    std::memcpy(&Record, data.Read(sizeof Record).data(), sizeof Record);
    if (Record.Stamp.Date < 1000)
        Record.Stamp = context.stamps.Next(context.clock);
    Key = MakeKey(Record.Stamp);
    if (Record.StartDate > Record.AlarmDate)
        Record.AlarmDate = Record.StartDate;
    CheckPosition();
    SetIncType(Record.IncType, context.clock);
    if (context.memo)
        LoadRichText(*context.memo);
    if (RichText.empty()) {
        const char* fallback = reinterpret_cast<const char*>(&Record) + 16;
        RichText.assign(fallback, 255);
    }
}

bool TMessageEntry::LoadRichText(RichTextIndex& memo) {
    RichTextBlock* block = memo.Find(Key);
    if (!block)
        return false;
    Notify = block->Notify;
    AddressCount = block->AddressCount;
    if (block->TakenBy) {
        RichText = block->TakenBy->RichText;
        Addresses = block->TakenBy->Addresses;
    } else {
        // Moved, not copied: a load then touches the memory of each text once.
        RichText = std::move(block->Text);
        Addresses = std::move(block->Addresses);
        block->TakenBy = this;
    }
    return true;
}

std::string MemoPathFor(const std::string& dataPath) {
    return file_ops::FolderOf(dataPath) + "ZandrelData_Memo.dat";
}

} // namespace zandrel
