#include "framework/core/tests/recording_environment.h"

namespace zandrel::testing {

std::vector<MonitorArea> RecordingEnvironment::Monitors() const {
    if (!monitors.empty()) {
        return monitors;
    }
    return {{0, 0, screen.Width, screen.Height}};
}

void RecordingEnvironment::PlayResourceSound(const std::string& name) {
    sounds.push_back(name);
    if (onSound) {
        onSound(name);
    }
}

void RecordingEnvironment::ShowError(const std::string& text) {
    boxes.push_back({ShownBox::Error, text});
    if (onError) {
        onError(text);
    }
}

void RecordingEnvironment::ShowWarning(const std::string& text) {
    boxes.push_back({ShownBox::Warning, text});
}

bool RecordingEnvironment::Confirm(const std::string& text) {
    boxes.push_back({ShownBox::Confirmation, text});
    return Answer(text);
}

bool RecordingEnvironment::ConfirmDefaultNo(const std::string& text) {
    boxes.push_back({ShownBox::Confirmation, text, true});
    return Answer(text);
}

bool RecordingEnvironment::Answer(const std::string& text) {
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

std::optional<PrinterChoice> RecordingEnvironment::ChoosePrinter() {
    ++printDialogs;
    if (onChoosePrinter) {
        onChoosePrinter();
    }
    if (printCancelled) {
        return std::nullopt;
    }
    return PrinterChoice{printer, printCopies, {}};
}

std::vector<std::string> RecordingEnvironment::Shown(enum ShownBox::Kind kind) const {
    std::vector<std::string> texts;
    for (const ShownBox& box : boxes) {
        if (box.Kind == kind) {
            texts.push_back(box.Text);
        }
    }
    return texts;
}

void RecordingEnvironment::Reset() {
    *this = RecordingEnvironment();
}

} // namespace zandrel::testing
