#pragma once
// Walks an RTF document for a client that makes something of it (plain
// text, formatted paragraphs): what every such client reads alike is read
// here once. The client gets the visible text already decoded to UTF-8,
// the control words of the visible text, group starts and ends, and each
// group's first control word (its destination, when it names one).
//
// Read here: braces, control words and symbols, \'hh, \bin data, \ucN and
// \uN with their fallbacks, surrogate pairs, the character words (\tab,
// \line, \cell, \emdash, \lquote...), hidden text (\v), the groups
// without visible text (\*, \info, \pict, \fldinst...), the font table
// and the colour table. Bytes are read in the code page of their font:
// its \cpgN, else its \fcharsetN's (an ANSI font is Windows-1252 in any
// document), else the document's (\ansicpgN, or \ansi, \mac, \pc, \pca);
// text without a font takes the default font's (\deffN). Any input is
// accepted: unbalanced braces, cut-off words and escapes end or drop
// quietly, and nothing after the document's group is read.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

struct RtfFont {
    std::string Name;        // UTF-8, without trailing blanks; empty when the entry names none
    int Charset = 1;         // \fcharsetN; 1, the default character set, follows the document
    int CodePage = 0;        // \cpgN, which comes before the character set's
    bool FixedPitch = false; // \fprq1 or \fmodern
};

struct RtfWord {
    std::string_view Name;
    bool HasParameter = false;
    int Parameter = 0; // 0 without one
    // A toggle such as \b is on without a parameter and off as \b0.
    bool On() const { return !HasParameter || Parameter != 0; }
};

// What a client is told, in the document's order. Text comes in pieces
// (never the half of a character); all text before an event has been
// handed over when it comes.
class RtfClient {
public:
    // Visible characters: no control characters but tab and '\n' (\line).
    virtual void Text(std::string_view utf8) = 0;
    // A control word of the visible text that is no character; \<CR> and
    // \<LF> come as \par. Words inside a \uN's fallback do not come, but
    // for those that choose the code page of its bytes (\f, \deff, \ansicpg).
    virtual void Word(const RtfWord& word) = 0;
    virtual void GroupStart() {}
    // Before the group closes: the lexer's Depth() still counts it.
    virtual void GroupEnd() {}
    // The first control word of a group, in visible and hidden groups alike.
    virtual void Destination(std::string_view word) { (void)word; }

protected:
    ~RtfClient() = default;
};

class RtfLexer {
public:
    struct Options {
        // Bytes in a font of the symbol character set (2) as U+F000 plus
        // the byte, as symbol fonts map their characters; otherwise in the
        // document's code page.
        bool SymbolFontsByCodePoint = false;
    };

    RtfLexer(std::string_view rtf, RtfClient& client, Options options);
    RtfLexer(std::string_view rtf, RtfClient& client) : RtfLexer(rtf, client, Options{}) {}

    // Reads the whole document, telling the client as it goes.
    void Run();

    // The groups open: 1 inside the document's group.
    int Depth() const { return static_cast<int>(groups_.size()) - 1; }
    // The font of the text now (\fN, else \deffN); null when the font
    // table has no such font.
    const RtfFont* CurrentFont() const;
    // Entry `index` of the colour table as 0x00BBGGRR; none for an entry
    // without colour words (the automatic colour) or beyond the table.
    std::optional<std::uint32_t> Colour(int index) const;

private:
    enum class Destination : std::uint8_t { Text, Hidden, FontTable, ColourTable };
    struct Group {
        Destination Dest = Destination::Text;
        bool AtStart = false;    // nothing but "\*" read in this group yet
        bool Ignorable = false;  // "\*" seen at its start
        bool HiddenText = false; // \v
        int Font = -1;           // -1: the document's default font
        int FallbackLength = 1;  // \ucN: characters after \uN for readers without Unicode
    };

    bool CloseGroup();
    void ControlSequence();
    void ControlSymbol(char c);
    bool DestinationWord(Group& group, std::string_view word);
    void FontWord(std::string_view word, int value);
    void ColourWord(std::string_view word, int value);
    void DocumentWord(std::string_view word, bool hasParameter, int value);
    bool SkippedAsFallback();
    void Byte(char c);
    void Character(char32_t character);
    int CodePage() const;
    int FontCodePage(int font, bool symbolByCodePoint) const;
    void FlushBytes();
    void HandOver();
    void CommitFontName();

    std::string_view in_;
    std::size_t pos_ = 0;
    RtfClient& client_;
    Options options_;
    std::vector<Group> groups_{Group{}};
    int skipFallback_ = 0;
    int ansiCodePage_ = 0;       // \ansicpgN
    int charsetCodePage_ = 1252; // \ansi, \mac, \pc, \pca
    int defaultFont_ = 0;
    std::map<int, RtfFont> fonts_;
    int fontBeingDefined_ = 0;
    std::string fontName_;
    std::vector<std::optional<std::uint32_t>> colours_;
    std::uint32_t colour_ = 0;
    bool colourSeen_ = false;
    std::string bytes_; // undecoded bytes, in bytesCodePage_
    int bytesCodePage_ = 0;
    char32_t highSurrogate_ = 0;
    std::string text_; // decoded, not yet handed over
};

} // namespace zandrel
