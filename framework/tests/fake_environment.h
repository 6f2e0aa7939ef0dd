#pragma once
// The outside world of the GUI tests: the recording fake, with the system's
// DPI on its one monitor and the system's default printer in its print
// dialog.
#include "framework/core/tests/recording_environment.h"

namespace zandrel::testing {

class FakeEnvironment : public RecordingEnvironment {
public:
    // The screen alone, at the system's DPI, unless a test sets monitors.
    std::vector<MonitorArea> Monitors() const override;
    // The printer scripted, else the system's default; nothing when there is
    // none or the dialog is cancelled.
    std::optional<PrinterChoice> ChoosePrinter() override;
};

// The fake that the shell tests run with.
FakeEnvironment& TestEnvironment();

} // namespace zandrel::testing
