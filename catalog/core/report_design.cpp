#include "catalog/core/report_design.h"

#include <cmath>

namespace zandrel::catalog {

int TextBoxHeightPixels(int lineCount, double formattedHeightPixels) {
    if (lineCount <= 0) {
        return 0;
    }
    const int part = lineCount * kLinePixels;
    const int needed = static_cast<int>(std::ceil(formattedHeightPixels - 1e-9));
    return needed > part ? needed : part;
}

int DetailBandHeightPixels(int textTopPixels, int textHeightPixels) {
    return textTopPixels + textHeightPixels + kBandTailPixels;
}

DetailCaptions CaptionsFor(const TMessageEntry& entry, const DateTimeFormats& formats) {
    DetailCaptions captions;
    captions.StartDate = "Starting date: " + DateTimeToText(entry.Record.StartDate, formats);
    captions.AlarmDate = "Alarm date: " + DateTimeToText(entry.Record.AlarmDate, formats);
    captions.NextWarn = "nextWarn (+" + std::to_string(static_cast<int>(entry.Record.IncType)) +
                        ") " + DateTimeToText(entry.Record.NextWarn, formats);
    return captions;
}

} // namespace zandrel::catalog
