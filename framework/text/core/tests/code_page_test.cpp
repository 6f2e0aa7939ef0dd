#include "framework/text/core/code_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace zandrel {
namespace {

std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3;
    return hash;
}

// The double-byte code pages come from the platform: the C library's iconv
// natively, MultiByteToWideChar on Windows. Every byte and every pair after
// a byte from 0x80 up decodes to the same text in both builds, whose
// fingerprint this table holds.
TEST(CodePageTest, BothBuildsReadEveryByteAndPairOfTheDoubleByteCodePagesAlike) {
    std::string sweep;
    for (int byte = 0; byte < 0x100; ++byte)
        sweep += static_cast<char>(byte);
    for (int lead = 0x80; lead < 0x100; ++lead) {
        for (int trail = 0; trail < 0x100; ++trail) {
            sweep += static_cast<char>(lead);
            sweep += static_cast<char>(trail);
        }
    }
    struct Fingerprint {
        int CodePage;
        std::size_t Length;
        std::uint64_t Hash;
    };
    const Fingerprint fingerprints[] = {
        {932, 135990, 0x95F72E8FE0284A0B},   {936, 109148, 0x7B4ED075FA5E2C49},
        {949, 113093, 0x88CF73592AF5EB83},   {950, 132410, 0xE0E2645557EE105F},
        {1361, 116250, 0xEC2017EBD8D863F9},  {10001, 135302, 0x567D55E8CDA0A07E},
        {10002, 132195, 0x0355BFDE8C2D1DF3}, {10003, 113093, 0x88CF73592AF5EB83},
        {10008, 109148, 0x7B4ED075FA5E2C49},
    };
    for (const Fingerprint& expected : fingerprints) {
        std::string text;
        AppendCodePageText(text, expected.CodePage, sweep);
        EXPECT_EQ(text.size(), expected.Length) << expected.CodePage;
        EXPECT_EQ(Fnv1a(text), expected.Hash) << expected.CodePage;
    }
}

} // namespace
} // namespace zandrel
