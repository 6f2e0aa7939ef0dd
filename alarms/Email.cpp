#include "alarms/Email.h"

namespace zandrel {

TEmail::~TEmail() = default;

void TEmail::SetPassword(const std::string& password) {
    password_ = password;
}

void TEmail::SetProfile(const std::string& profile) {
    profile_ = profile;
}

void TEmail::SetSubject(const std::string& subject) {
    subject_ = subject;
}

void TEmail::SetText(const std::string& text) {
    text_ = text;
}

void TEmail::SetLongText(const std::string& text) {
    longText_ = text;
    text_.clear();
}

ULONG TEmail::Logon() {
    return 0;
}

ULONG TEmail::Logoff() {
    return 0;
}

ULONG TEmail::SendMail() {
    return 0;
}

ULONG TEmail::ShowAddressBook() {
    return 0;
}

void TEmail::CheckMAPI() const {
    if (!MAPIavail())
        throw EMAPIunavailable();
}

} // namespace zandrel
