#include "storage/core/message_record.h"

#include "storage/core/storage_error.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zandrel {
namespace {

std::string Int32Bytes(std::int32_t value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

std::string Slot(std::uint8_t length, const std::string& chars) {
    std::string slot(kKeySlotSize, '\0');
    slot[0] = static_cast<char>(length);
    slot.replace(1, chars.size(), chars);
    return slot;
}

// A block written by hand, with any lengths a damaged file may hold.
std::string RawBlock(const std::string& slot, std::int32_t n, const std::string& text,
                     std::int32_t c, std::int32_t notify, const std::string& items = {}) {
    return slot + Int32Bytes(n) + text + Int32Bytes(c) + Int32Bytes(notify) + items;
}

std::string Block(const std::string& key, const std::string& text, std::int32_t notify = 0,
                  const std::vector<std::string>& addresses = {}) {
    std::string out;
    AppendRichTextBlock(out, key, text, notify, addresses);
    return out;
}

TEST(RichTextBlock, MatchesTheByteExample) {
    const std::string key = "730120 43200000"; // 15 characters
    const std::string text(300, 'r');
    const std::string block = Block(key, text, 1, {"a@b.example", "cd@ef.example"});
    ASSERT_EQ(block.size(), 444u);
    EXPECT_EQ(RichTextBlockSize(text, {"a@b.example", "cd@ef.example"}), 444u);

    std::string expected;
    expected += '\x0F';
    expected += key;
    expected += std::string(84, '\0');
    expected += std::string("\x2C\x01\x00\x00", 4);
    expected += text;
    expected += std::string("\x02\x00\x00\x00", 4);
    expected += std::string("\x01\x00\x00\x00", 4);
    expected += std::string("\x0B\x00\x00\x00", 4) + "a@b.example";
    expected += std::string("\x0D\x00\x00\x00", 4) + "cd@ef.example";
    EXPECT_EQ(block, expected);
}

TEST(RichTextBlock, CutsAKeyToTheSlot) {
    const std::string block = Block(std::string(150, 'k'), "t");
    EXPECT_EQ(static_cast<std::uint8_t>(block[0]), 99);
    EXPECT_EQ(block.substr(1, 99), std::string(99, 'k'));
    EXPECT_EQ(block.size(), kKeySlotSize + 4 + 1 + 8);
}

TEST(RichTextIndex, FindsTheFirstBlockWithTextForAKey) {
    const std::string file = Block("1 1", "", 5) + Block("2 2", "second", 0, {"x@y.z"}) +
                             Block("1 1", "first", 1, {"a@b.c"}) + Block("1 1", "later", 0);
    const RichTextIndex index(file);
    const RichTextBlock* one = index.Find("1 1");
    ASSERT_TRUE(one);
    EXPECT_EQ(one->Text, "first");
    EXPECT_EQ(one->Notify, 1);
    ASSERT_EQ(one->Addresses.size(), 1u);
    EXPECT_EQ(one->Addresses[0], "a@b.c");
    EXPECT_EQ(index.Find("2 2")->Text, "second");
    EXPECT_EQ(index.Find("3 3"), nullptr);
    EXPECT_FALSE(index.Damaged());
}

TEST(RichTextIndex, SkipsShortAddressesButStaysInStep) {
    const std::string items =
        Int32Bytes(0) + Int32Bytes(1) + "x" + Int32Bytes(-7) + Int32Bytes(3) + "a@b";
    const std::string file = RawBlock(Slot(3, "1 1"), 2, "hi", 4, 1, items) + Block("2 2", "next");
    const RichTextIndex index(file);
    const RichTextBlock* block = index.Find("1 1");
    ASSERT_TRUE(block);
    EXPECT_EQ(block->AddressCount, 4);
    ASSERT_EQ(block->Addresses.size(), 1u);
    EXPECT_EQ(block->Addresses[0], "a@b");
    EXPECT_EQ(index.Find("2 2")->Text, "next");
}

TEST(RichTextIndex, MatchesOnlyTheExactLengthByte) {
    // Same characters, wrong length byte; and a length byte beyond the slot.
    std::string file = RawBlock(Slot(4, "1 1"), 1, "a", 0, 0);
    file += RawBlock(Slot(200, std::string(99, '9')), 1, "b", 0, 0);
    const RichTextIndex index(file);
    EXPECT_EQ(index.Find("1 1"), nullptr);
    EXPECT_EQ(index.Find(std::string(99, '9')), nullptr);
    EXPECT_FALSE(index.Damaged());
}

TEST(RichTextIndex, NegativeLengthsHoldNoBytes) {
    const std::string file = RawBlock(Slot(3, "1 1"), -5, "", -3, 1) + Block("2 2", "ok");
    const RichTextIndex index(file);
    EXPECT_EQ(index.Find("1 1"), nullptr); // no text: read past
    EXPECT_EQ(index.Find("2 2")->Text, "ok");
}

TEST(RichTextIndex, ReadsTextsLongerThanItsBufferAndStopsInsideThem) {
    const std::string big(200000, 'b');
    const std::string file =
        Block("1 1", "one") + Block("2 2", big, 1, {"a@b.example"}) + Block("3 3", "three");
    const RichTextIndex index(file);
    EXPECT_FALSE(index.Damaged());
    ASSERT_TRUE(index.Find("2 2"));
    EXPECT_EQ(index.Find("2 2")->Text, big);
    EXPECT_EQ(index.Find("2 2")->Addresses, std::vector<std::string>{"a@b.example"});
    EXPECT_EQ(index.Find("3 3")->Text, "three");

    const std::string cut = file.substr(0, 150000);
    const RichTextIndex damaged(cut);
    EXPECT_TRUE(damaged.Damaged());
    EXPECT_EQ(damaged.Find("1 1")->Text, "one");
    EXPECT_THROW(damaged.Find("2 2"), StorageError);
}

TEST(RichTextIndex, DamageFailsOnlyKeysNotFoundBeforeIt) {
    const std::string good = Block("1 1", "one");
    for (const std::string& tail : {
             Block("2 2", "two").substr(0, 50),                              // inside the slot
             RawBlock(Slot(3, "2 2"), 0x7FFFFFFF, "abc", 0, 0),              // N beyond the file
             RawBlock(Slot(3, "2 2"), 1, "t", 0x7FFFFFFF, 0, Int32Bytes(0)), // C beyond the file
             RawBlock(Slot(3, "2 2"), 1, "t", 1, 0, Int32Bytes(0x7FFFFFF0) + "a"), // L too
             RawBlock(Slot(3, "2 2"), 1, "t", 0, 0).substr(0, 106),                // inside Notify
         }) {
        const std::string file = good + tail;
        const RichTextIndex index(file);
        EXPECT_TRUE(index.Damaged());
        ASSERT_TRUE(index.Find("1 1"));
        EXPECT_EQ(index.Find("1 1")->Text, "one");
        try {
            index.Find("2 2");
            ADD_FAILURE() << "a key behind the damage was found";
        } catch (const StorageError& error) {
            EXPECT_STREQ(error.what(), "Stream read error");
        }
    }
}

TEST(ByteReader, NeverReadsPastTheEnd) {
    ByteReader reader(std::string_view("\x01\x02\x03\x04\x05", 5));
    EXPECT_EQ(reader.ReadInt32(), 0x04030201);
    EXPECT_THROW(reader.ReadInt32(), StorageError);
    EXPECT_EQ(reader.Read(1), "\x05");
    EXPECT_TRUE(reader.AtEnd());
}

} // namespace
} // namespace zandrel
