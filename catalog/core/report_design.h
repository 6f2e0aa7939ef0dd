#pragma once
// The catalog's portable rules: the texts of a message's labels
// and the heights of its text box and detail band, in the design's pixels
// at zoom 70 % (2.6457 pixels per millimetre).
#include "framework/core/date_time_text.h"
#include "storage/core/unit_entry.h"

#include <string>

namespace zandrel::catalog {

inline constexpr int kLinePixels = 15;    // per line of the text box
inline constexpr int kTextTopPixels = 40; // the text box's top in the detail band
inline constexpr int kBandTailPixels = 5; // below the text box

// lines x 15 pixels, unless the formatted text needs more
// (larger fonts): then as tall as the formatted text. An empty text is 0.
int TextBoxHeightPixels(int lineCount, double formattedHeightPixels);
// Top of the text box + its height + 5 pixels.
int DetailBandHeightPixels(int textTopPixels, int textHeightPixels);

struct DetailCaptions {
    std::string StartDate; // "Starting date: " + StartDate
    std::string AlarmDate; // "Alarm date: " + AlarmDate
    std::string NextWarn;  // Format("nextWarn (+%d) %s", IncType, NextWarn)
};
DetailCaptions CaptionsFor(const TMessageEntry& entry, const DateTimeFormats& formats);

} // namespace zandrel::catalog
