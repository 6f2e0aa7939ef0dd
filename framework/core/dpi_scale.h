#pragma once
// Every pixel figure of the windows' designs is a 96-DPI figure: a window on
// a monitor of another DPI scales it, and picks the nearest of the pictures
// drawn at 100, 150 and 200 per cent.
namespace zandrel {

inline constexpr int kDesignDpi = 96;

class DpiScale {
public:
    constexpr DpiScale() = default;
    // A DPI of 0 or less (a system that tells none) counts as the design's.
    explicit constexpr DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    int Dpi() const { return dpi_; }
    bool IsDesign() const { return dpi_ == kDesignDpi; }
    // A design length or coordinate at this DPI: to the nearest pixel, halves
    // away from zero (-11 at 144 DPI is -17).
    int Scale(int designPixels) const;
    // The width of a span that starts at `left`: its scaled right edge less its
    // scaled left edge, so that spans that touch at 96 DPI touch at any DPI
    // and spans apart at 96 DPI never overlap.
    int ScaleSpan(int left, int width) const { return Scale(left + width) - Scale(left); }
    // The picture scale drawn for this DPI: 100, 150 or 200 per cent,
    // whichever is nearest; halfway between two, the larger one (shrinking a
    // picture loses less than growing it).
    int PictureScale() const;

    friend bool operator==(const DpiScale&, const DpiScale&) = default;

private:
    int dpi_ = kDesignDpi;
};

} // namespace zandrel
