#include "framework/report/core/rtf_reader.h"

#include "framework/text/core/code_page.h"
#include "framework/text/core/rtf_lexer.h"
#include "framework/text/core/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>

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

constexpr int kSymbolCharset = 2;
constexpr char16_t kSymbolBullet = 0xF0B7;

// Words that end the paragraph.
constexpr std::array<std::string_view, 5> kParagraphEnds = {"par", "sect", "page", "row",
                                                            "nestrow"};

struct Group {
    CharacterFormat Char; // face, character set and pitch come from the lexer's font
    ParagraphFormat Para;
};

class Reader final : public RtfClient {
public:
    Reader(std::string_view rtf, const CharacterFormat& base)
        : lexer_(rtf, *this, {.SymbolFontsByCodePoint = true}), base_(base) {
        groups_.push_back(Group{base, {}});
    }

    RichDocument Run() {
        lexer_.Run();
        if (!paragraph_.Runs.empty()) {
            EndParagraph();
        }
        return std::move(document_);
    }

private:
    void GroupStart() override {
        format_ = -1;
        groups_.push_back(groups_.back());
    }

    void GroupEnd() override {
        format_ = -1;
        if (lexer_.Depth() == 1 && !paragraph_.Runs.empty()) {
            EndParagraph(); // the last paragraph, in the document's format
        }
        groups_.pop_back();
    }

    // Symbol fonts are drawn by their own code points; a list's bullet is
    // the text font's, which every system has.
    void Text(std::string_view utf8) override {
        text_.clear();
        AppendUtf16(text_, utf8);
        const RtfFont* font = lexer_.CurrentFont();
        const bool symbol = font && font->Charset == kSymbolCharset;
        for (const char16_t c : text_) {
            if (symbol && c == kSymbolBullet) {
                Append(u'\u2022', BulletFormat());
            } else {
                Append(c);
            }
        }
    }

    std::uint32_t Colour(int index) const {
        return index <= 0 ? kAutoColour : lexer_.Colour(index).value_or(kAutoColour);
    }

    void Word(const RtfWord& word) override {
        format_ = -1;
        CharacterFormat& format = groups_.back().Char;
        ParagraphFormat& para = groups_.back().Para;
        const std::string_view name = word.Name;
        const int value = word.Parameter;
        const bool on = word.On();
        if (!word.HasParameter &&
            std::find(kParagraphEnds.begin(), kParagraphEnds.end(), name) != kParagraphEnds.end()) {
            if (name == "row" || name == "nestrow") {
                EndRow();
            } else {
                EndParagraph();
            }
        } else if (name == "deftab" && value > 0) {
            document_.DefaultTab = value;
        } else if (name == "plain") {
            format = base_;
        } else if (name == "fs" && value > 0) {
            format.HalfPoints = value;
        } else if (name == "b") {
            format.Bold = on;
        } else if (name == "i") {
            format.Italic = on;
        } else if (name == "ul" || (name.starts_with("ul") && name != "ulc")) {
            format.Underline = on && name != "ulnone";
        } else if (name == "strike" || name == "striked") {
            format.Strike = on;
        } else if (name == "v") {
            format.Hidden = on;
        } else if (name == "super") {
            format.Position = Script::Superscript;
        } else if (name == "sub") {
            format.Position = Script::Subscript;
        } else if (name == "nosupersub") {
            format.Position = Script::Normal;
        } else if (name == "up") {
            format.RiseHalfPoints = word.HasParameter ? value : 6;
        } else if (name == "dn") {
            format.RiseHalfPoints = -(word.HasParameter ? value : 6);
        } else if (name == "cf") {
            format.Colour = Colour(value);
        } else if (name == "highlight" || name == "cb" || name == "chcbpat") {
            format.Highlight = Colour(value) == kAutoColour ? kNoHighlight : Colour(value);
        } else if (name == "pard") {
            para = ParagraphFormat{};
        } else if (name == "ql") {
            para.Align = Alignment::Left;
        } else if (name == "qr") {
            para.Align = Alignment::Right;
        } else if (name == "qc") {
            para.Align = Alignment::Center;
        } else if (name == "qj") {
            para.Align = Alignment::Justify;
        } else if (name == "li") {
            para.LeftIndent = value;
        } else if (name == "ri") {
            para.RightIndent = value;
        } else if (name == "fi") {
            para.FirstIndent = value;
        } else if (name == "sb") {
            para.SpaceBefore = std::max(0, value);
        } else if (name == "sa") {
            para.SpaceAfter = std::max(0, value);
        } else if (name == "sl") {
            para.LineSpacing = value;
        } else if (name == "slmult") {
            para.LineMultiple = value == 1;
        } else if ((name == "tx" || name == "tb") && value > 0) {
            para.Tabs.insert(std::upper_bound(para.Tabs.begin(), para.Tabs.end(), value), value);
        } else if (name == "trowd") {
            cellEdges_.clear();
        } else if (name == "cellx") {
            cellEdges_.push_back(value);
        }
    }

    // The format of the text now: the group's, in its font.
    int CurrentFormat() {
        CharacterFormat format = groups_.back().Char;
        if (const RtfFont* font = lexer_.CurrentFont(); font && !font->Name.empty()) {
            format.Face = font->Name;
            format.Charset = font->Charset;
            format.FixedPitch = font->FixedPitch;
        }
        return document_.FormatIndex(format);
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
        if (groups_.back().Char.Hidden) {
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
        paragraph_.Format = groups_.back().Para;
        paragraph_.EndFormat = CurrentFormat();
        document_.Paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{};
    }

    // A table row: one paragraph whose cells stop at their right edges.
    void EndRow() {
        ParagraphFormat& para = groups_.back().Para;
        const ParagraphFormat before = para;
        if (para.Tabs.empty()) {
            para.Tabs = cellEdges_;
            std::sort(para.Tabs.begin(), para.Tabs.end());
        }
        EndParagraph();
        para = before;
    }

    RtfLexer lexer_;
    CharacterFormat base_;
    std::vector<Group> groups_;
    std::vector<int> cellEdges_;
    std::u16string text_; // the text handed over now
    int format_ = -1;     // CurrentFormat() until a control word or a group changes it
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
