#include "framework/tests/fake_environment.h"

#include "framework/dpi.h"

#include <windows.h>
#include <winspool.h>

namespace zandrel::testing {

std::vector<MonitorArea> FakeEnvironment::Monitors() const {
    if (!monitors.empty()) {
        return monitors;
    }
    return {{0, 0, screen.Width, screen.Height, SystemDpi()}};
}

std::optional<PrinterChoice> FakeEnvironment::ChoosePrinter() {
    std::optional<PrinterChoice> choice = RecordingEnvironment::ChoosePrinter();
    if (!choice || !choice->Name.empty()) {
        return choice;
    }
    char name[256] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size)) {
        return std::nullopt;
    }
    choice->Name = name;
    return choice;
}

} // namespace zandrel::testing
