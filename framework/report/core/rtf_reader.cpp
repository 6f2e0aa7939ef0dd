#include "framework/report/core/rtf_reader.h"

#include "framework/text/core/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

namespace zandrel::report {

int RichDocument::FormatIndex(const CharacterFormat& format) {
    const auto found = std::find(Formats.begin(), Formats.end(), format);
    if (found != Formats.end()) {
        return static_cast<int>(found - Formats.begin());
    }
    Formats.push_back(format);
    return static_cast<int>(Formats.size()) - 1;
}

namespace {

// Groups without visible text. List numbers show through \pntext, so the
// list's own description (\pn) is left out.
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

constexpr int kSymbolCharset = 2;
constexpr char kSymbolBullet = '\xB7';

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Well-formed UTF-8 (as AppendCodePageText writes it) to UTF-16.
void AppendUtf16(std::u16string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < utf8.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += length;
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
}

// Characters that one control word stands for.
struct CharacterWord {
    std::string_view Word;
    char16_t Character;
};
constexpr std::array<CharacterWord, 15> kCharacterWords = {{{"line", u'\n'},
                                                            {"tab", u'\t'},
                                                            {"cell", u'\t'},
                                                            {"nestcell", u'\t'},
                                                            {"emdash", u'\u2014'},
                                                            {"endash", u'\u2013'},
                                                            {"emspace", u'\u2003'},
                                                            {"enspace", u'\u2002'},
                                                            {"qmspace", u'\u2005'},
                                                            {"bullet", u'\u2022'},
                                                            {"lquote", u'\u2018'},
                                                            {"rquote", u'\u2019'},
                                                            {"ldblquote", u'\u201C'},
                                                            {"rdblquote", u'\u201D'},
                                                            {"zwj", u'\u200D'}}};

// Words that end the paragraph.
constexpr std::array<std::string_view, 5> kParagraphEnds = {"par", "sect", "page", "row",
                                                            "nestrow"};

struct Font {
    std::string Name;
    int Charset = 1;
    int CodePage = 0; // \cpgN, before the character set's
    bool FixedPitch = false;
};

enum class Destination { Text, Hidden, FontTable, ColourTable };

struct Group {
    Destination Dest = Destination::Text;
    bool AtStart = false;   // nothing but "\*" read in this group yet
    bool Ignorable = false; // "\*" seen at its start
    int Font = -1;          // -1: the document's default font
    int FallbackLength = 1; // \ucN: characters after \uN for readers without Unicode
    CharacterFormat Char;   // face, character set and pitch come from Font
    ParagraphFormat Para;
};

class Reader {
public:
    Reader(std::string_view rtf, const CharacterFormat& base) : in_(rtf), base_(base) {
        Group top;
        top.Char = base;
        groups_.push_back(top);
    }

    RichDocument Run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                Flush();
                format_ = -1;
                Group inner = groups_.back();
                inner.AtStart = true;
                inner.Ignorable = false;
                groups_.push_back(inner);
                skipFallback_ = 0;
            } else if (c == '}') {
                Flush();
                format_ = -1;
                skipFallback_ = 0;
                if (groups_.size() == 2 && !paragraph_.Runs.empty()) {
                    EndParagraph(); // the last paragraph, in the document's format
                }
                CloseGroup();
                if (groups_.size() == 1) {
                    break; // the end of the document's group
                }
            } else if (c == '\\') {
                ControlSequence();
            } else if (c == '\t') {
                groups_.back().AtStart = false;
                EmitCharacter(u'\t');
            } else if (c != '\r' && c != '\n') {
                groups_.back().AtStart = false;
                EmitByte(c);
            }
        }
        Flush();
        if (!paragraph_.Runs.empty()) {
            EndParagraph();
        }
        return std::move(document_);
    }

private:
    void CloseGroup() {
        if (groups_.size() <= 1) {
            return; // a stray closing brace before the document's group
        }
        if (groups_.back().Dest == Destination::FontTable) {
            CommitFontName();
        }
        groups_.pop_back();
    }

    void ControlSequence() {
        if (pos_ >= in_.size()) {
            return;
        }
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
        Flush();
        format_ = -1;
        const std::size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) {
            ++pos_;
        }
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
        if (negative) {
            parameter = -parameter;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') {
            ++pos_;
        }
        const bool atStart = group.AtStart;
        group.AtStart = false;
        if (atStart && group.Dest == Destination::Text) {
            if (word == "fonttbl") {
                group.Dest = Destination::FontTable;
                return;
            }
            if (word == "colortbl") {
                group.Dest = Destination::ColourTable;
                colourSeen_ = false;
                return;
            }
        }
        if (atStart &&
            (group.Ignorable || std::find(kHiddenDestinations.begin(), kHiddenDestinations.end(),
                                          word) != kHiddenDestinations.end())) {
            group.Dest = Destination::Hidden;
            return;
        }
        if (word == "bin") {
            // Binary data: its length is the parameter, whatever bytes follow.
            const auto length = static_cast<std::size_t>(std::max<std::int64_t>(parameter, 0));
            pos_ += std::min(length, in_.size() - pos_);
            return;
        }
        const int value = static_cast<int>(parameter);
        switch (group.Dest) {
        case Destination::FontTable:
            FontTableWord(word, value);
            return;
        case Destination::ColourTable:
            ColourTableWord(word, value);
            return;
        case Destination::Hidden:
            return;
        case Destination::Text:
            break;
        }
        if (!TextWord(word, hasParameter, value)) {
            Skipped();
        }
    }

    void ControlSymbol(char c) {
        switch (c) {
        case '\'': {
            const int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
            const int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) {
                pos_ = std::min(pos_ + (high < 0 ? 0 : 1), in_.size());
                return;
            }
            pos_ += 2;
            EmitByte(static_cast<char>(high * 16 + low));
            return;
        }
        case '~':
            EmitCharacter(u'\u00A0');
            return;
        case '_':
            EmitCharacter(u'\u2011');
            return;
        case '\r':
        case '\n':
            EndParagraph();
            return;
        case '-': // optional hyphen: shown only at a line break
            Skipped();
            return;
        default: // "\\", "\{", "\}" and symbols without meaning here
            EmitByte(c);
        }
    }

    void FontTableWord(std::string_view word, int value) {
        if (word == "f") {
            CommitFontName();
            fontBeingDefined_ = value;
            fonts_[value] = Font{};
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

    void ColourTableWord(std::string_view word, int value) {
        const auto component = static_cast<std::uint32_t>(std::clamp(value, 0, 255));
        if (word == "red") {
            colour_ = (colour_ & 0xFFFF00) | component;
        } else if (word == "green") {
            colour_ = (colour_ & 0xFF00FF) | (component << 8);
        } else if (word == "blue") {
            colour_ = (colour_ & 0x00FFFF) | (component << 16);
        } else {
            return;
        }
        colourSeen_ = true;
    }

    // A font name ends with ';' or with its entry's group.
    void CommitFontName() {
        if (fontName_.empty()) {
            return;
        }
        Font& font = fonts_[fontBeingDefined_];
        std::string name;
        AppendCodePageText(name, CodePageOf(&font), fontName_);
        fontName_.clear();
        while (!name.empty() && name.back() == ' ') {
            name.pop_back();
        }
        font.Name = std::move(name);
    }

    std::uint32_t Colour(int index) const {
        if (index <= 0 || static_cast<std::size_t>(index) >= colours_.size()) {
            return kAutoColour;
        }
        return colours_[static_cast<std::size_t>(index)];
    }

    // The words of the text itself; false for those that mean nothing here.
    bool TextWord(std::string_view word, bool hasParameter, int value) {
        Group& group = groups_.back();
        CharacterFormat& format = group.Char;
        ParagraphFormat& para = group.Para;
        const bool on = !hasParameter || value != 0;
        if (!hasParameter) {
            for (const CharacterWord& w : kCharacterWords) {
                if (w.Word == word) {
                    EmitCharacter(w.Character);
                    return true;
                }
            }
            if (std::find(kParagraphEnds.begin(), kParagraphEnds.end(), word) !=
                kParagraphEnds.end()) {
                if (word == "row" || word == "nestrow") {
                    EndRow();
                } else {
                    EndParagraph();
                }
                return true;
            }
        }
        if (word == "u" && hasParameter) {
            // A UTF-16 code unit, negative N standing for those above 32767.
            EmitCharacter(static_cast<char16_t>(value < 0 ? value + 65536 : value));
            skipFallback_ = group.FallbackLength;
        } else if (word == "uc" && hasParameter) {
            group.FallbackLength = std::clamp(value, 0, 16);
        } else if (word == "f" && hasParameter) {
            group.Font = value;
        } else if (word == "deff" && hasParameter) {
            defaultFont_ = value;
        } else if (word == "ansicpg" && value > 0) {
            documentCodePage_ = value;
        } else if (word == "deftab" && value > 0) {
            document_.DefaultTab = value;
        } else if (word == "plain") {
            format = base_;
            group.Font = -1;
        } else if (word == "fs" && value > 0) {
            format.HalfPoints = value;
        } else if (word == "b") {
            format.Bold = on;
        } else if (word == "i") {
            format.Italic = on;
        } else if (word == "ul" || (word.starts_with("ul") && word != "ulc")) {
            format.Underline = on && word != "ulnone";
        } else if (word == "strike" || word == "striked") {
            format.Strike = on;
        } else if (word == "v") {
            format.Hidden = on;
        } else if (word == "super") {
            format.Position = Script::Superscript;
        } else if (word == "sub") {
            format.Position = Script::Subscript;
        } else if (word == "nosupersub") {
            format.Position = Script::Normal;
        } else if (word == "up") {
            format.RiseHalfPoints = hasParameter ? value : 6;
        } else if (word == "dn") {
            format.RiseHalfPoints = -(hasParameter ? value : 6);
        } else if (word == "cf") {
            format.Colour = Colour(value);
        } else if (word == "highlight" || word == "cb" || word == "chcbpat") {
            format.Highlight = Colour(value) == kAutoColour ? kNoHighlight : Colour(value);
        } else if (word == "pard") {
            para = ParagraphFormat{};
        } else if (word == "ql") {
            para.Align = Alignment::Left;
        } else if (word == "qr") {
            para.Align = Alignment::Right;
        } else if (word == "qc") {
            para.Align = Alignment::Center;
        } else if (word == "qj") {
            para.Align = Alignment::Justify;
        } else if (word == "li") {
            para.LeftIndent = value;
        } else if (word == "ri") {
            para.RightIndent = value;
        } else if (word == "fi") {
            para.FirstIndent = value;
        } else if (word == "sb") {
            para.SpaceBefore = std::max(0, value);
        } else if (word == "sa") {
            para.SpaceAfter = std::max(0, value);
        } else if (word == "sl") {
            para.LineSpacing = value;
        } else if (word == "slmult") {
            para.LineMultiple = value == 1;
        } else if ((word == "tx" || word == "tb") && value > 0) {
            para.Tabs.insert(std::upper_bound(para.Tabs.begin(), para.Tabs.end(), value), value);
        } else if (word == "trowd") {
            cellEdges_.clear();
        } else if (word == "cellx") {
            cellEdges_.push_back(value);
        } else {
            return false;
        }
        return true;
    }

    // Text without a font of its own is in the document's code page.
    int CodePageOf(const Font* font) const {
        const int codePage = !font                ? 0
                             : font->CodePage > 0 ? font->CodePage
                                                  : CodePageOfCharset(font->Charset);
        return codePage > 0 ? codePage : documentCodePage_;
    }

    const Font* CurrentFont() const {
        const int number = groups_.back().Font < 0 ? defaultFont_ : groups_.back().Font;
        const auto found = fonts_.find(number);
        return found != fonts_.end() && !found->second.Name.empty() ? &found->second : nullptr;
    }

    // The format of the text now: the group's, in its font.
    int CurrentFormat() {
        CharacterFormat format = groups_.back().Char;
        if (const Font* font = CurrentFont()) {
            format.Face = font->Name;
            format.Charset = font->Charset;
            format.FixedPitch = font->FixedPitch;
        }
        return document_.FormatIndex(format);
    }

    // A character that the fallback of a \uN may count.
    void Skipped() {
        if (skipFallback_ > 0) {
            --skipFallback_;
        }
    }

    bool Swallowed() {
        if (skipFallback_ > 0) {
            --skipFallback_;
            return true;
        }
        return groups_.back().Dest == Destination::Hidden;
    }

    void EmitByte(char c) {
        Group& group = groups_.back();
        if (group.Dest == Destination::FontTable) {
            if (c == ';') {
                CommitFontName();
            } else {
                fontName_ += c;
            }
            return;
        }
        if (group.Dest == Destination::ColourTable) {
            if (c == ';') {
                colours_.push_back(colourSeen_ ? colour_ : kAutoColour);
                colour_ = 0;
                colourSeen_ = false;
            }
            return;
        }
        if (Swallowed()) {
            return;
        }
        const Font* font = CurrentFont();
        if (font && font->Charset == kSymbolCharset) {
            // Symbol fonts are drawn by their own code points; a list's
            // bullet is the text font's, which every system has.
            Flush();
            if (c == kSymbolBullet) {
                Append(u'\u2022', BulletFormat());
            } else {
                Append(static_cast<char16_t>(0xF000 + static_cast<unsigned char>(c)));
            }
            return;
        }
        // Bytes are converted in runs, so that the two bytes of an East Asian
        // character meet.
        const int codePage = CodePageOf(font);
        if (!pending_.empty() && codePage != pendingCodePage_) {
            Flush();
        }
        pendingCodePage_ = codePage;
        pending_ += c;
    }

    void EmitCharacter(char16_t character) {
        if (groups_.back().Dest != Destination::Text || Swallowed()) {
            return;
        }
        Flush();
        Append(character);
    }

    void Flush() {
        if (pending_.empty()) {
            return;
        }
        std::string utf8;
        AppendCodePageText(utf8, pendingCodePage_, pending_);
        pending_.clear();
        std::u16string text;
        AppendUtf16(text, utf8);
        for (const char16_t c : text) {
            Append(c);
        }
    }

    // The current format in the base face.
    int BulletFormat() {
        CharacterFormat format = groups_.back().Char;
        format.Face = base_.Face;
        format.Charset = base_.Charset;
        format.FixedPitch = base_.FixedPitch;
        return document_.FormatIndex(format);
    }

    void Append(char16_t character, int format = -1) {
        if (groups_.back().Char.Hidden ||
            (character < 0x20 && character != u'\t' && character != u'\n')) {
            return;
        }
        if (format < 0) {
            if (format_ < 0) {
                format_ = CurrentFormat();
            }
            format = format_;
        }
        if (paragraph_.Runs.empty() || paragraph_.Runs.back().Format != format) {
            paragraph_.Runs.push_back(TextRun{{}, format});
        }
        paragraph_.Runs.back().Text += character;
    }

    void EndParagraph() {
        if (groups_.back().Dest != Destination::Text) {
            return;
        }
        Flush();
        paragraph_.Format = groups_.back().Para;
        paragraph_.EndFormat = CurrentFormat();
        document_.Paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{};
    }

    // A table row: one paragraph whose cells stop at their right edges.
    void EndRow() {
        if (groups_.back().Dest != Destination::Text) {
            return;
        }
        ParagraphFormat& para = groups_.back().Para;
        const ParagraphFormat before = para;
        if (para.Tabs.empty()) {
            para.Tabs = cellEdges_;
            std::sort(para.Tabs.begin(), para.Tabs.end());
        }
        EndParagraph();
        para = before;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    CharacterFormat base_;
    std::vector<Group> groups_;
    int skipFallback_ = 0;
    int documentCodePage_ = kWesternCodePage;
    int defaultFont_ = 0;
    std::map<int, Font> fonts_;
    int fontBeingDefined_ = 0;
    std::string fontName_;
    std::vector<std::uint32_t> colours_;
    std::uint32_t colour_ = 0;
    bool colourSeen_ = false;
    std::vector<int> cellEdges_;
    std::string pending_;
    int pendingCodePage_ = kWesternCodePage;
    int format_ = -1; // CurrentFormat() until a control word or a group changes it
    Paragraph paragraph_;
    RichDocument document_;
};

// Plain text: one paragraph per line, in the Western code page.
RichDocument ReadPlainText(std::string_view text, const CharacterFormat& base) {
    RichDocument document;
    const int format = document.FormatIndex(base);
    std::string utf8;
    AppendCodePageText(utf8, kWesternCodePage, text);
    std::u16string wide;
    AppendUtf16(wide, utf8);
    Paragraph paragraph;
    paragraph.EndFormat = format;
    std::u16string line;
    auto endLine = [&] {
        Paragraph ended = paragraph;
        if (!line.empty()) {
            ended.Runs.push_back(TextRun{line, format});
        }
        document.Paragraphs.push_back(std::move(ended));
        line.clear();
    };
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char16_t c = wide[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < wide.size() && wide[i + 1] == u'\n') {
                ++i;
            }
            endLine();
        } else if (c >= 0x20 || c == u'\t') {
            line += c;
        }
    }
    if (!line.empty()) {
        endLine();
    }
    return document;
}

} // namespace

RichDocument ReadRichText(std::string_view text, const CharacterFormat& base) {
    if (text.starts_with("{\\rtf")) {
        return Reader(text, base).Run();
    }
    return ReadPlainText(text, base);
}

} // namespace zandrel::report
