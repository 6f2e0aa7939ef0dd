#pragma once
// The program's three message boxes. Each is modal to the application's
// modal owner (the main window, or the innermost modal window) and returns
// when the user has answered.
#include <string>

namespace zandrel {

// The general error report: title the application's, the error's text.
void ShowErrorBox(const std::string& text);
// The same for a text in UTF-8, through the wide call.
void ShowErrorBoxUtf8(const std::string& text);
// Title "Warning", a warning icon, the single button "Retry".
void ShowWarningBox(const std::string& text);
enum class ConfirmDefault { Yes, No };
// Title "Confirm", a question icon, Yes and No, the default button as given;
// false only for No.
bool ShowConfirmBox(const std::string& text, ConfirmDefault defaultButton = ConfirmDefault::Yes);

} // namespace zandrel
