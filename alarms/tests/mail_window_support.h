#pragma once
// For test programs that do not sit beside the stand-in mail library: the
// stand-in loaded from the mail tests' folder, as the program loads the
// system's mail service at its start.
#include "alarms/smapi.h"
#include "alarms/tests/mail_test_support.h"

namespace zandrel::testing {

// While it lives, the mail tests' folder is searched for libraries right
// after the program's own.
class MailTestsFolderSearched {
public:
    MailTestsFolderSearched();
    ~MailTestsFolderSearched();
    MailTestsFolderSearched(const MailTestsFolderSearched&) = delete;
    MailTestsFolderSearched& operator=(const MailTestsFolderSearched&) = delete;
};

// The stand-in as the mail service of a main window under test.
struct StandInMailService {
    const MailTestsFolderSearched searched;
    const WinIniMailSwitch mailOn{"1"};
    const MapiStandIn standIn;
    const MapiLibrary mapi = LoadMAPI();
};

} // namespace zandrel::testing
