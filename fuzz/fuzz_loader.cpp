// Feeds arbitrary bytes as the two data files to the loader, then checks that
// whatever was loaded saves to files that load back to the same bytes.
#include "storage/core/message_list.h"
#include "storage/core/storage_error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

class FixedClock : public zandrel::Clock {
public:
    zandrel::TDateTime Now() const override { return 46363.5; } // 2026-12-07 12:00
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

// Input: one flag byte (bit 0: the rich-text file exists), two bytes giving
// the data file's length, then the data file and the rich-text file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 3)
        return 0;
    const bool memoExists = bytes[0] & 1;
    const std::size_t dataSize = std::min<std::size_t>(bytes[1] | bytes[2] << 8, size - 3);
    const char* rest = reinterpret_cast<const char*>(bytes + 3);
    const std::string_view data(rest, dataSize);
    std::optional<std::string> memo;
    if (memoExists)
        memo.emplace(rest + dataSize, size - 3 - dataSize);

    const FixedClock clock;
    zandrel::MessageList list("ZandrelData.dat");
    try {
        list.LoadFromBytes(data, memo, clock);
    } catch (const zandrel::StorageError&) {
        // Damaged input: what was read before the damage stays and is saved.
    }

    std::string savedData, savedMemo;
    list.SaveToBytes(savedData, savedMemo);
    Check(savedData.size() == list.Count() * sizeof(zandrel::MessageRecord));

    // A saved pair always loads completely. After one more load, entries that
    // shared a Key share its first block, and the files no longer change.
    zandrel::MessageList again("ZandrelData.dat");
    again.LoadFromBytes(savedData, savedMemo, clock);
    Check(again.Count() == list.Count());
    std::string secondData, secondMemo;
    again.SaveToBytes(secondData, secondMemo);
    zandrel::MessageList third("ZandrelData.dat");
    third.LoadFromBytes(secondData, secondMemo, clock);
    std::string thirdData, thirdMemo;
    third.SaveToBytes(thirdData, thirdMemo);
    Check(thirdData == secondData && thirdMemo == secondMemo);
    return 0;
}
