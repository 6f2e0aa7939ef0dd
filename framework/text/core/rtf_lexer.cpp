#include "framework/text/core/rtf_lexer.h"

#include "framework/text/core/code_page.h"

#include <algorithm>
#include <array>

namespace zandrel {
namespace {

// Groups without visible text. List numbers show through \pntext, so a
// list's own description (\pn) is left out; \nonshppict is a second copy
// of a picture, \shpinst a shape's instructions beside its \shprslt.
constexpr std::array<std::string_view, 31> kHiddenDestinations = {"stylesheet",
                                                                  "info",
                                                                  "pict",
                                                                  "object",
                                                                  "header",
                                                                  "headerl",
                                                                  "headerr",
                                                                  "headerf",
                                                                  "footer",
                                                                  "footerl",
                                                                  "footerr",
                                                                  "footerf",
                                                                  "footnote",
                                                                  "fldinst",
                                                                  "listtable",
                                                                  "listoverridetable",
                                                                  "revtbl",
                                                                  "rsidtbl",
                                                                  "generator",
                                                                  "themedata",
                                                                  "colorschememapping",
                                                                  "latentstyles",
                                                                  "datastore",
                                                                  "xmlnstbl",
                                                                  "filetbl",
                                                                  "pn",
                                                                  "pntxta",
                                                                  "pntxtb",
                                                                  "pnseclvl",
                                                                  "nonshppict",
                                                                  "shpinst"};

// Control words that stand for one character.
struct CharacterWord {
    std::string_view Word;
    char32_t Character;
};
constexpr std::array<CharacterWord, 15> kCharacterWords = {{{"line", U'\n'},
                                                            {"tab", U'\t'},
                                                            {"cell", U'\t'},
                                                            {"nestcell", U'\t'},
                                                            {"emdash", U'\u2014'},
                                                            {"endash", U'\u2013'},
                                                            {"emspace", U'\u2003'},
                                                            {"enspace", U'\u2002'},
                                                            {"qmspace", U'\u2005'},
                                                            {"bullet", U'\u2022'},
                                                            {"lquote", U'\u2018'},
                                                            {"rquote", U'\u2019'},
                                                            {"ldblquote", U'\u201C'},
                                                            {"rdblquote", U'\u201D'},
                                                            {"zwj", U'\u200D'}}};

constexpr int kSymbolCharset = 2;
constexpr int kSymbolFont = -1; // a code page of its own: U+F000 plus the byte

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Text bytes that need no decoding in any code page but the symbol fonts'.
bool IsPlainAscii(char c) {
    return (c >= 0x20 && c < 0x7F && c != '{' && c != '}' && c != '\\') || c == '\t';
}

// A control character other than tab and line break is no text.
bool IsText(char32_t c) {
    return c >= 0x20 || c == U'\t' || c == U'\n';
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// The code page of a document's character set word; 0 for any other word.
int DocumentCharsetCodePage(std::string_view word) {
    if (word == "ansi")
        return kWesternCodePage;
    if (word == "mac")
        return 10000;
    if (word == "pc")
        return 437;
    if (word == "pca")
        return 850;
    return 0;
}

} // namespace

RtfLexer::RtfLexer(std::string_view rtf, RtfClient& client, Options options)
    : in_(rtf), client_(client), options_(options) {}

void RtfLexer::Run() {
    while (pos_ < in_.size()) {
        const char c = in_[pos_++];
        if (c == '{') {
            HandOver();
            Group inner = groups_.back();
            inner.AtStart = true;
            inner.Ignorable = false;
            groups_.push_back(inner);
            skipFallback_ = 0;
            client_.GroupStart();
        } else if (c == '}') {
            if (CloseGroup())
                break;
        } else if (c == '\\') {
            ControlSequence();
        } else if (c != '\r' && c != '\n') {
            Group& group = groups_.back();
            group.AtStart = false;
            if (IsPlainAscii(c) && skipFallback_ == 0 && group.Dest == Destination::Text &&
                !group.HiddenText && bytes_.empty() && highSurrogate_ == 0 &&
                (!options_.SymbolFontsByCodePoint || CodePage() != kSymbolFont)) {
                // A run of plain text, taken whole.
                const std::size_t start = pos_ - 1;
                while (pos_ < in_.size() && IsPlainAscii(in_[pos_]))
                    ++pos_;
                text_.append(in_, start, pos_ - start);
            } else {
                Byte(c);
            }
        }
    }
    HandOver();
}

// True at the end of the document's group. A stray closing brace before
// the document's group is ignored.
bool RtfLexer::CloseGroup() {
    HandOver();
    skipFallback_ = 0;
    if (groups_.size() <= 1)
        return false;
    if (groups_.back().Dest == Destination::FontTable)
        CommitFontName();
    client_.GroupEnd();
    groups_.pop_back();
    return groups_.size() == 1;
}

void RtfLexer::ControlSequence() {
    if (pos_ >= in_.size())
        return;
    Group& group = groups_.back();
    const char c = in_[pos_];
    if (!IsLetter(c)) {
        ++pos_;
        if (c == '*') {
            group.Ignorable = true;
            return;
        }
        group.AtStart = false;
        ControlSymbol(c);
        return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]))
        ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    bool hasParameter = false;
    std::int64_t parameter = 0;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
        hasParameter = true;
        // Clamped: only the range of an Int32 means anything.
        parameter = std::min<std::int64_t>(parameter * 10 + (in_[pos_] - '0'), INT32_MAX);
        ++pos_;
    }
    if (negative)
        parameter = -parameter;
    if (pos_ < in_.size() && in_[pos_] == ' ')
        ++pos_;
    const int value = static_cast<int>(parameter);

    if (group.AtStart) {
        group.AtStart = false;
        if (DestinationWord(group, word))
            return;
    }
    if (word == "bin") {
        // Binary data: its length is the parameter, whatever bytes follow.
        const auto length = static_cast<std::size_t>(std::max(value, 0));
        pos_ += std::min(length, in_.size() - pos_);
        return;
    }
    if (group.Dest == Destination::ColourTable)
        ColourWord(word, value);
    if (group.Dest == Destination::Hidden || group.Dest == Destination::ColourTable)
        return;
    if (word == "u" && hasParameter) {
        // A UTF-16 code unit, negative N standing for those above 32767. An
        // N beyond 16 bits is not understood, so its fallback stands.
        const int unit = value < 0 ? value + 65536 : value;
        if (unit >= 0 && unit <= 0xFFFF) {
            Character(static_cast<char32_t>(unit));
            skipFallback_ = group.FallbackLength;
        }
        return;
    }
    if (word == "uc" && hasParameter) {
        group.FallbackLength = std::clamp(value, 0, 16);
        return;
    }
    // The words that choose the code page of the fallback's bytes are read as usual.
    const bool choosesCodePage =
        hasParameter && (word == "f" || word == "deff" || word == "ansicpg");
    if (!choosesCodePage && SkippedAsFallback())
        return;
    if (group.Dest == Destination::FontTable) {
        FontWord(word, value);
        return;
    }
    if (!hasParameter) {
        for (const CharacterWord& w : kCharacterWords) {
            if (w.Word == word) {
                Character(w.Character);
                return;
            }
        }
    }
    HandOver();
    DocumentWord(word, hasParameter, value);
    client_.Word(RtfWord{word, hasParameter, value});
}

// The first word of a group; true when it makes the group a table or a
// group without visible text.
bool RtfLexer::DestinationWord(Group& group, std::string_view word) {
    client_.Destination(word);
    if (group.Dest == Destination::Text && word == "fonttbl") {
        group.Dest = Destination::FontTable;
    } else if (group.Dest == Destination::Text && word == "colortbl") {
        group.Dest = Destination::ColourTable;
        colour_ = 0;
        colourSeen_ = false;
    } else if (group.Ignorable || std::find(kHiddenDestinations.begin(), kHiddenDestinations.end(),
                                            word) != kHiddenDestinations.end()) {
        group.Dest = Destination::Hidden;
    } else {
        return false;
    }
    return true;
}

void RtfLexer::ControlSymbol(char c) {
    switch (c) {
    case '\'': {
        const int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
        const int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
        if (high < 0 || low < 0) {
            pos_ = std::min(pos_ + (high < 0 ? 0 : 1), in_.size());
            return;
        }
        pos_ += 2;
        Byte(static_cast<char>(high * 16 + low));
        return;
    }
    case '~':
        Character(0xA0);
        return;
    case '_': // a non-breaking hyphen: lines never break at a hyphen here
        Character('-');
        return;
    case '-': // optional hyphen: shown only at a line break
        SkippedAsFallback();
        return;
    case '\r':
    case '\n':
        if (!SkippedAsFallback() && groups_.back().Dest == Destination::Text) {
            HandOver();
            client_.Word(RtfWord{"par"});
        }
        return;
    default: // "\\", "\{", "\}" and symbols without meaning here
        Byte(c);
    }
}

void RtfLexer::ColourWord(std::string_view word, int value) {
    const auto component = static_cast<std::uint32_t>(std::clamp(value, 0, 255));
    if (word == "red")
        colour_ = (colour_ & 0xFFFF00) | component;
    else if (word == "green")
        colour_ = (colour_ & 0xFF00FF) | (component << 8);
    else if (word == "blue")
        colour_ = (colour_ & 0x00FFFF) | (component << 16);
    else
        return;
    colourSeen_ = true;
}

void RtfLexer::FontWord(std::string_view word, int value) {
    if (word == "f") {
        CommitFontName();
        fontBeingDefined_ = value;
        fonts_[value] = RtfFont{};
    } else if (word == "fcharset") {
        fonts_[fontBeingDefined_].Charset = value;
    } else if (word == "cpg") {
        fonts_[fontBeingDefined_].CodePage = value;
    } else if (word == "fprq") {
        fonts_[fontBeingDefined_].FixedPitch = value == 1;
    } else if (word == "fmodern") {
        fonts_[fontBeingDefined_].FixedPitch = true;
    }
}

// The words of the visible text that the lexer reads too.
void RtfLexer::DocumentWord(std::string_view word, bool hasParameter, int value) {
    Group& group = groups_.back();
    if (word == "f" && hasParameter) {
        group.Font = value;
    } else if (word == "plain") {
        group.Font = -1;
        group.HiddenText = false;
    } else if (word == "v") {
        group.HiddenText = !hasParameter || value != 0;
    } else if (word == "deff" && hasParameter) {
        defaultFont_ = value;
    } else if (word == "ansicpg" && value > 0) {
        ansiCodePage_ = value;
    } else if (const int codePage = hasParameter ? 0 : DocumentCharsetCodePage(word)) {
        charsetCodePage_ = codePage;
    }
}

// A \uN's fallback: the characters after it, for readers without Unicode,
// are skipped. A text byte, \'hh, control symbol or control word counts as
// one (but \*, \bin, \uc and the words that choose the code page), and a
// brace ends the fallback.
bool RtfLexer::SkippedAsFallback() {
    if (skipFallback_ == 0)
        return false;
    --skipFallback_;
    return true;
}

// A byte of text in the current font's code page. Bytes are decoded in
// runs, so that the two bytes of an East Asian character meet.
void RtfLexer::Byte(char c) {
    if (SkippedAsFallback())
        return;
    const Group& group = groups_.back();
    switch (group.Dest) {
    case Destination::Text:
        if (group.HiddenText)
            return;
        break;
    case Destination::Hidden:
        return;
    case Destination::FontTable: // a font's name ends with ';' or with its entry's group
        if (c == ';') {
            CommitFontName();
            return;
        }
        break;
    case Destination::ColourTable:
        if (c == ';') {
            colours_.push_back(colourSeen_ ? std::optional(colour_) : std::nullopt);
            colour_ = 0;
            colourSeen_ = false;
        }
        return;
    }
    if (!IsText(static_cast<unsigned char>(c)))
        return;
    if (highSurrogate_ != 0)
        HandOver();
    const int codePage = CodePage();
    if (!bytes_.empty() && codePage != bytesCodePage_)
        FlushBytes();
    bytesCodePage_ = codePage;
    bytes_ += c;
}

void RtfLexer::Character(char32_t character) {
    if (SkippedAsFallback())
        return;
    const Group& group = groups_.back();
    if (group.Dest == Destination::FontTable) {
        FlushBytes();
        AppendUtf8(fontName_, character);
        return;
    }
    if (group.Dest != Destination::Text || group.HiddenText || !IsText(character))
        return;
    FlushBytes();
    if (IsLowSurrogate(character) && highSurrogate_ != 0) {
        character = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (character - 0xDC00);
        highSurrogate_ = 0;
    }
    if (highSurrogate_ != 0)
        HandOver();
    if (IsHighSurrogate(character))
        highSurrogate_ = character;
    else
        AppendUtf8(text_, character);
}

int RtfLexer::CodePage() const {
    const Group& group = groups_.back();
    if (group.Dest == Destination::FontTable) // a font's name, a symbol font's too
        return FontCodePage(fontBeingDefined_, false);
    return FontCodePage(group.Font < 0 ? defaultFont_ : group.Font,
                        options_.SymbolFontsByCodePoint);
}

// Text without a font of its own is in the document's code page.
int RtfLexer::FontCodePage(int number, bool symbolByCodePoint) const {
    int codePage = 0;
    const auto found = fonts_.find(number);
    if (found != fonts_.end()) {
        const RtfFont& font = found->second;
        codePage = font.CodePage > 0 ? font.CodePage
                   : symbolByCodePoint && font.Charset == kSymbolCharset
                       ? kSymbolFont
                       : CodePageOfCharset(font.Charset);
    }
    if (codePage != 0)
        return codePage;
    return ansiCodePage_ > 0 ? ansiCodePage_ : charsetCodePage_;
}

void RtfLexer::FlushBytes() {
    if (bytes_.empty())
        return;
    std::string& out = groups_.back().Dest == Destination::FontTable ? fontName_ : text_;
    if (bytesCodePage_ == kSymbolFont) {
        for (const char c : bytes_)
            AppendUtf8(out, 0xF000 + static_cast<unsigned char>(c));
    } else {
        AppendCodePageText(out, bytesCodePage_, bytes_);
    }
    bytes_.clear();
}

// Everything read so far to the client. A high surrogate not followed by
// its low one stands for no character.
void RtfLexer::HandOver() {
    FlushBytes();
    if (highSurrogate_ != 0) {
        AppendUtf8(text_, 0xFFFD);
        highSurrogate_ = 0;
    }
    if (!text_.empty()) {
        client_.Text(text_);
        text_.clear();
    }
}

void RtfLexer::CommitFontName() {
    FlushBytes();
    if (fontName_.empty())
        return;
    while (!fontName_.empty() && fontName_.back() == ' ')
        fontName_.pop_back();
    fonts_[fontBeingDefined_].Name = std::move(fontName_);
    fontName_.clear();
}

const RtfFont* RtfLexer::CurrentFont() const {
    const int number = groups_.back().Font < 0 ? defaultFont_ : groups_.back().Font;
    const auto found = fonts_.find(number);
    return found != fonts_.end() ? &found->second : nullptr;
}

std::optional<std::uint32_t> RtfLexer::Colour(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= colours_.size())
        return std::nullopt;
    return colours_[static_cast<std::size_t>(index)];
}

} // namespace zandrel
