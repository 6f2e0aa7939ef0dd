#pragma once
// A formatted text as the report engine prints it: paragraphs of runs, each
// run in one character format. Read from RTF by rtf_reader.h, laid out for
// a width by text_layout.h. Lengths are in twips (1/1440 inch) as RTF gives
// them, font sizes in half-points.
#include <cstdint>
#include <string>
#include <vector>

namespace zandrel::report {

// Colours as 0x00BBGGRR. kAutoColour is the system's window-text colour;
// kNoHighlight leaves the background as it is.
inline constexpr std::uint32_t kAutoColour = 0xFF000000;
inline constexpr std::uint32_t kNoHighlight = 0xFF000000;

enum class Script { Normal, Superscript, Subscript };

struct CharacterFormat {
    std::string Face = "Arial"; // UTF-8
    int Charset = 1;            // the font's character set; 1 is the system's default
    bool FixedPitch = false;    // a fixed-pitch face stays fixed-pitch where it is missing
    int HalfPoints = 20;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    bool Hidden = false; // not shown
    Script Position = Script::Normal;
    int RiseHalfPoints = 0; // raised (positive) or lowered (negative) from the baseline
    std::uint32_t Colour = kAutoColour;
    std::uint32_t Highlight = kNoHighlight;

    bool operator==(const CharacterFormat&) const = default;
};

enum class Alignment { Left, Right, Center, Justify };

struct ParagraphFormat {
    Alignment Align = Alignment::Left;
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstIndent = 0; // the first line's start, from the left indent
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    int LineSpacing = 0;       // 0 single; above 0 at least, below 0 exactly this much
    bool LineMultiple = false; // LineSpacing in 240ths of a single line
    std::vector<int> Tabs;     // from the text's left edge, ascending

    bool operator==(const ParagraphFormat&) const = default;
};

// Text in UTF-16: '\t' moves to the next tab stop, '\n' breaks the line.
struct TextRun {
    std::u16string Text;
    int Format = 0; // into RichDocument::Formats
};

struct Paragraph {
    ParagraphFormat Format;
    std::vector<TextRun> Runs;
    int EndFormat = 0; // the paragraph mark's, which sizes an empty line
};

struct RichDocument {
    std::vector<CharacterFormat> Formats;
    std::vector<Paragraph> Paragraphs;
    int DefaultTab = 720;

    // The index of `format` in Formats, added when new.
    int FormatIndex(const CharacterFormat& format);
};

} // namespace zandrel::report
