#pragma once
// The formatting toolbar's decisions, apart from the rich-text control: what
// the toolbar shows for a character and paragraph format, and what each of
// its commands writes back.
#include <optional>
#include <string>
#include <vector>

namespace zandrel {

// Alignment as the alignment buttons' tags carry it: 0 left, 1 right, 2 centre.
enum class TextAlignment : int { Left = 0, Right = 1, Center = 2 };

// The rich-text control's paragraph alignment codes (PFA_LEFT = 1, PFA_RIGHT
// = 2, PFA_CENTER = 3, PFA_JUSTIFY = 4) are these values plus one.
int AlignmentFromParagraph(int paragraphAlignment);
int ParagraphAlignmentFor(TextAlignment alignment);
// The alignment a button's tag stands for; none for a tag that is no alignment.
std::optional<TextAlignment> AlignmentFromTag(int tag);

struct CharacterFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int SizeTwips = 0;
    std::string FaceName;
};

struct ParagraphFormat {
    int Alignment = 0; // as AlignmentFromParagraph gives it
    bool Bullets = false;
    int LeftIndentTwips = 0;
};

// What the toolbar shows for the text at the selection.
struct ToolbarState {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Bullets = false;
    std::string FontSize;
    std::string FontName;
    // The alignment button to press; none leaves the group as it was.
    std::optional<TextAlignment> Alignment;
};

ToolbarState ToolbarStateFor(const CharacterFormat& character, const ParagraphFormat& paragraph);

// The size box's text as a decimal integer. Anything else (an empty box
// while the user retypes it, a sign alone, a number out of range) throws
// std::invalid_argument "'<text>' is not a valid integer value".
int ParseFontSize(const std::string& text);

// Points to twips, held within what the control's 32-bit height can carry.
int PointsToTwips(int points);
// Whole points, as the size box shows them.
int TwipsToPoints(int twips);

// Bullets on raise the left indent to 10 points when it is less; bullets off
// set it to 0.
inline constexpr int kBulletIndentTwips = 200;
int LeftIndentForBullets(bool bullets, int currentIndentTwips);

// The typeface a font-name change applies: the list item at the box's
// selection index, or the empty name when the box reports none. The text
// typed into the box is never applied.
std::string FontNameAt(const std::vector<std::string>& items, int selectedIndex);

// The typeface names in the order of a sorted combo box: case-insensitive,
// and one entry per name.
std::vector<std::string> SortedFontNames(std::vector<std::string> names);

} // namespace zandrel
