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

void FakeEnvironment::PlayResourceSound(const std::string& name) {
    sounds.push_back(name);
    if (onSound) {
        onSound(name);
    }
}

void FakeEnvironment::ShowError(const std::string& text) {
    boxes.push_back({ShownBox::Error, text});
    if (onError) {
        onError(text);
    }
}

void FakeEnvironment::ShowWarning(const std::string& text) {
    boxes.push_back({ShownBox::Warning, text});
}

bool FakeEnvironment::Confirm(const std::string& text) {
    boxes.push_back({ShownBox::Confirmation, text});
    return Answer(text);
}

bool FakeEnvironment::ConfirmDefaultNo(const std::string& text) {
    boxes.push_back({ShownBox::Confirmation, text, true});
    return Answer(text);
}

bool FakeEnvironment::Answer(const std::string& text) {
    if (onConfirm) {
        onConfirm(text);
    }
    if (answers.empty()) {
        return true;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<PrinterChoice> FakeEnvironment::ChoosePrinter() {
    ++printDialogs;
    if (onChoosePrinter) {
        onChoosePrinter();
    }
    if (printCancelled) {
        return std::nullopt;
    }
    if (!printer.empty()) {
        return PrinterChoice{printer, printCopies, {}};
    }
    char name[256] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size)) {
        return std::nullopt;
    }
    return PrinterChoice{name, printCopies, {}};
}

void FakeEnvironment::Reset() {
    *this = FakeEnvironment();
}

} // namespace zandrel::testing
