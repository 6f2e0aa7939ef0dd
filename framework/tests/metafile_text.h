#pragma once
// The texts of a printed or previewed page read back from its metafile.
#include <windows.h>

#include <string>
#include <vector>

namespace zandrel::testing {

// The text drawn on a page, as a metafile records it.
struct PageText {
    std::string Text; // UTF-8
    double X = 0;     // its reference point (the baseline's start), mm from the paper's corner
    double Y = 0;
    double Width = 0; // mm, its characters' advances
};
// In reading order: lines top to bottom (texts whose baselines lie within
// 1 mm of the line's first), each left to right.
std::vector<PageText> TextsOfMetafile(HENHMETAFILE metafile);

} // namespace zandrel::testing
