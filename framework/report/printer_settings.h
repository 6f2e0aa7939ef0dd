#pragma once
// A printer's settings for a report: the print dialog's (or the printer's
// own defaults), A4 portrait where the printer has A4, and the copies chosen.
#include "framework/core/environment.h"

#include <windows.h>

#include <vector>

namespace zandrel {

class PrinterSettings {
public:
    explicit PrinterSettings(const PrinterChoice& printer);
    // Null when the printer gave none: CreateDC then takes its defaults.
    const DEVMODEA* Mode() const {
        return mode_.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(mode_.data());
    }

private:
    std::vector<char> mode_;
};

} // namespace zandrel
