#include "mainwindow/core/text_format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <stdexcept>

namespace zandrel {
namespace {

constexpr int kTwipsPerPoint = 20;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return !LessIgnoringCase(a, b) && !LessIgnoringCase(b, a);
}

} // namespace

int AlignmentFromParagraph(int paragraphAlignment) {
    return paragraphAlignment - 1;
}

int ParagraphAlignmentFor(TextAlignment alignment) {
    return int(alignment) + 1;
}

std::optional<TextAlignment> AlignmentFromTag(int tag) {
    if (tag < int(TextAlignment::Left) || tag > int(TextAlignment::Center)) {
        return std::nullopt;
    }
    return TextAlignment(tag);
}

ToolbarState ToolbarStateFor(const CharacterFormat& character, const ParagraphFormat& paragraph) {
    ToolbarState state;
    state.Bold = character.Bold;
    state.Italic = character.Italic;
    state.Underline = character.Underline;
    state.Bullets = paragraph.Bullets;
    state.FontSize = std::to_string(TwipsToPoints(character.SizeTwips));
    state.FontName = character.FaceName;
    state.Alignment = AlignmentFromTag(paragraph.Alignment);
    return state;
}

int ParseFontSize(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first; // from_chars takes a minus sign only
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    const bool digitFollowsSign = first == text.data() || (first != last && *first != '-');
    if (text.empty() || error != std::errc() || end != last || !digitFollowsSign) {
        throw std::invalid_argument("'" + text + "' is not a valid integer value");
    }
    return value;
}

int PointsToTwips(int points) {
    const long long twips = (long long)points * kTwipsPerPoint;
    return int(std::clamp<long long>(twips, INT_MIN, INT_MAX));
}

int TwipsToPoints(int twips) {
    return twips / kTwipsPerPoint;
}

int LeftIndentForBullets(bool bullets, int currentIndentTwips) {
    return bullets ? std::max(currentIndentTwips, kBulletIndentTwips) : 0;
}

std::string FontNameAt(const std::vector<std::string>& items, int selectedIndex) {
    if (selectedIndex < 0 || selectedIndex >= int(items.size())) {
        return {};
    }
    return items[std::size_t(selectedIndex)];
}

std::vector<std::string> SortedFontNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    names.erase(std::unique(names.begin(), names.end(), EqualIgnoringCase), names.end());
    return names;
}

} // namespace zandrel
