#include "framework/text/core/code_page.h"

#include "framework/text/core/code_page_tables.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace zandrel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kJohab = 1361;
constexpr int kKorean = 949;

struct CharsetCodePage {
    int Charset;
    int CodePage;
};

// The character sets of Windows and Mac fonts and their code pages.
constexpr CharsetCodePage kCharsetCodePages[] = {
    {0, 1252},     // ANSI
    {77, 10000},   // Mac Roman
    {78, 10001},   // Mac Japanese
    {79, 10003},   // Mac Korean
    {80, 10008},   // Mac Simplified Chinese
    {81, 10002},   // Mac Traditional Chinese
    {83, 10005},   // Mac Hebrew
    {84, 10004},   // Mac Arabic
    {85, 10006},   // Mac Greek
    {86, 10081},   // Mac Turkish
    {87, 10021},   // Mac Thai
    {88, 10029},   // Mac Central European
    {89, 10007},   // Mac Cyrillic
    {128, 932},    // Shift-JIS
    {129, 949},    // Hangul
    {130, kJohab}, // Johab
    {134, 936},    // GB2312
    {136, 950},    // Big5
    {161, 1253},   // Greek
    {162, 1254},   // Turkish
    {163, 1258},   // Vietnamese
    {177, 1255},   // Hebrew
    {178, 1256},   // Arabic
    {186, 1257},   // Baltic
    {204, 1251},   // Cyrillic
    {222, 874},    // Thai
    {238, 1250},   // Central European
    {254, 437},    // PC 437
    {255, 437},    // OEM
};

// A single byte that a Mac double-byte code page defines beyond its Windows superset.
struct OwnByte {
    unsigned char Byte;
    char16_t Character;
};
constexpr OwnByte kMacJapaneseBytes[] = {
    {0xA0, 0x00A0}, {0xFD, 0x00A9}, {0xFE, 0x2122}, {0xFF, 0x2026}};
constexpr OwnByte kMacTraditionalChineseBytes[] = {{0xFD, 0x00A9}, {0xFE, 0x2122}, {0xFF, 0x2026}};

// The double-byte code pages, and the platform's code page each is read in.
struct DoubleByteCodePage {
    int CodePage;
    int Platform;
    std::span<const OwnByte> OwnBytes;
};
constexpr DoubleByteCodePage kDoubleByteCodePages[] = {
    {932, 932, {}},
    {936, 936, {}},
    {949, 949, {}},
    {950, 950, {}},
    {10001, 932, kMacJapaneseBytes},
    {10002, 950, kMacTraditionalChineseBytes},
    {10003, 949, {}},
    {10008, 936, {}},
};

// What the platform maps to a control or a private-use code is no character
// of the document: an unassigned byte or a user-defined character.
bool IsDocumentCharacter(char32_t character) {
    return !(character >= 0x80 && character < 0xA0) && !(character >= 0xE000 && character < 0xF900);
}

std::optional<char32_t> PlatformCharacter(int codePage, std::string_view bytes) {
    std::u32string characters;
    if (PlatformDecode(codePage, bytes, characters) && characters.size() == 1 &&
        IsDocumentCharacter(characters[0]))
        return characters[0];
    return std::nullopt;
}

void AppendSingleByteText(std::string& utf8, const char16_t* upperHalf, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(utf8, byte < 0x80 ? byte : upperHalf[byte - 0x80]);
    }
}

// One character at a time, so that both builds agree on where an undefined
// sequence ends: a byte the code page does not define alone or with the
// byte after it becomes U+FFFD, and reading goes on at the next byte.
void AppendDoubleByteText(std::string& utf8, const DoubleByteCodePage& page,
                          std::string_view bytes) {
    if (page.OwnBytes.empty()) {
        std::u32string characters;
        if (PlatformDecode(page.Platform, bytes, characters) &&
            std::all_of(characters.begin(), characters.end(), IsDocumentCharacter)) {
            for (const char32_t character : characters)
                AppendUtf8(utf8, character);
            return;
        }
    }
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const auto own = std::find_if(page.OwnBytes.begin(), page.OwnBytes.end(),
                                      [byte](const OwnByte& b) { return b.Byte == byte; });
        std::optional<char32_t> character;
        std::size_t length = 1;
        if (byte < 0x80) {
            character = byte;
        } else if (own != page.OwnBytes.end()) {
            character = own->Character;
        } else if (!(character = PlatformCharacter(page.Platform, bytes.substr(i, 1))) &&
                   i + 1 < bytes.size()) {
            length = 2;
            character = PlatformCharacter(page.Platform, bytes.substr(i, 2));
        }
        AppendUtf8(utf8, character.value_or(kReplacement));
        i += character ? length : 1;
    }
}

// Johab's Hangul: three five-bit fields for the initial consonant, the vowel
// and the final consonant, each with a fill code for a letter left out.
constexpr char16_t kCompatibilityInitials[19] = {
    0x3131, 0x3132, 0x3134, 0x3137, 0x3138, 0x3139, 0x3141, 0x3142, 0x3143, 0x3145,
    0x3146, 0x3147, 0x3148, 0x3149, 0x314A, 0x314B, 0x314C, 0x314D, 0x314E};
constexpr char16_t kCompatibilityFinals[27] = {
    0x3131, 0x3132, 0x3133, 0x3134, 0x3135, 0x3136, 0x3137, 0x3139, 0x313A,
    0x313B, 0x313C, 0x313D, 0x313E, 0x313F, 0x3140, 0x3141, 0x3142, 0x3144,
    0x3145, 0x3146, 0x3147, 0x3148, 0x314A, 0x314B, 0x314C, 0x314D, 0x314E};

// Index of a field's letter; -1 for its fill code, -2 for a value it does not use.
int InitialIndex(unsigned field) {
    return field == 1 ? -1 : field >= 2 && field <= 20 ? int(field) - 2 : -2;
}
int VowelIndex(unsigned field) {
    constexpr std::array<int, 32> kIndex = {-2, -2, -1, 0,  1,  2,  3,  4,  -2, -2, 5,
                                            6,  7,  8,  9,  10, -2, -2, 11, 12, 13, 14,
                                            15, 16, -2, -2, 17, 18, 19, 20, -2, -2};
    return kIndex[field];
}
int FinalIndex(unsigned field) {
    return field == 1                   ? -1
           : field >= 2 && field <= 17  ? int(field) - 2
           : field >= 19 && field <= 29 ? int(field) - 3
                                        : -2;
}

std::optional<char32_t> JohabHangul(unsigned code) {
    const int initial = InitialIndex((code >> 10) & 31);
    const int vowel = VowelIndex((code >> 5) & 31);
    const int final = FinalIndex(code & 31);
    if (initial == -2 || vowel == -2 || final == -2)
        return std::nullopt;
    if (initial >= 0 && vowel >= 0)
        return 0xAC00 + (initial * 21 + vowel) * 28 + (final + 1);
    if (initial >= 0 && final == -1)
        return kCompatibilityInitials[initial];
    if (vowel >= 0 && initial == -1 && final == -1)
        return 0x314F + vowel;
    if (final >= 0 && initial == -1 && vowel == -1)
        return kCompatibilityFinals[final];
    return std::nullopt;
}

// Johab's symbols and Hanja lie in the rows of KS X 1001, which code page
// 949 holds: two rows of 94 characters for each lead byte.
std::optional<char32_t> JohabSymbol(unsigned lead, unsigned trail) {
    int row;
    if (lead >= 0xD9 && lead <= 0xDE)
        row = 0x21 + int(lead - 0xD9) * 2;
    else if (lead >= 0xE0 && lead <= 0xF9)
        row = 0x4A + int(lead - 0xE0) * 2;
    else
        return std::nullopt;
    int column;
    if (trail >= 0x31 && trail <= 0x7E) {
        column = 0x21 + int(trail - 0x31);
    } else if (trail >= 0x91 && trail <= 0xA0) {
        column = 0x6F + int(trail - 0x91);
    } else if (trail >= 0xA1 && trail <= 0xFE) {
        ++row;
        column = 0x21 + int(trail - 0xA1);
    } else {
        return std::nullopt;
    }
    const char pair[2] = {static_cast<char>(row | 0x80), static_cast<char>(column | 0x80)};
    return PlatformCharacter(kKorean, std::string_view(pair, 2));
}

void AppendJohabText(std::string& utf8, std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            utf8 += static_cast<char>(lead);
            ++i;
            continue;
        }
        std::optional<char32_t> character;
        if (i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            character = lead >= 0x84 && lead <= 0xD3 ? JohabHangul(lead << 8 | trail)
                                                     : JohabSymbol(lead, trail);
        }
        AppendUtf8(utf8, character.value_or(kReplacement));
        i += character ? 2 : 1;
    }
}

} // namespace

int CodePageOfCharset(int charset) {
    for (const CharsetCodePage& entry : kCharsetCodePages) {
        if (entry.Charset == charset)
            return entry.CodePage;
    }
    return 0;
}

void AppendUtf8(std::string& utf8, char32_t codePoint) {
    if ((codePoint >= 0xD800 && codePoint < 0xE000) || codePoint > 0x10FFFF)
        codePoint = kReplacement;
    if (codePoint < 0x80) {
        utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (codePoint >> 18));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

void AppendCodePageText(std::string& utf8, int codePage, std::string_view bytes) {
    if (codePage == kJohab) {
        AppendJohabText(utf8, bytes);
        return;
    }
    for (const DoubleByteCodePage& page : kDoubleByteCodePages) {
        if (page.CodePage == codePage) {
            AppendDoubleByteText(utf8, page, bytes);
            return;
        }
    }
    const char16_t* upperHalf = SingleByteUpperHalf(codePage);
    AppendSingleByteText(utf8, upperHalf ? upperHalf : SingleByteUpperHalf(kWesternCodePage),
                         bytes);
}

} // namespace zandrel
