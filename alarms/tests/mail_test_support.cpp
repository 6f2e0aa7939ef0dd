#include "alarms/tests/mail_test_support.h"

#include <sstream>
#include <stdexcept>

namespace zandrel::testing {

MapiStandIn::MapiStandIn()
    : library_(LoadLibraryA("mapi32")), log_(Find<decltype(log_)>("StandInLog")),
      answer_(Find<decltype(answer_)>("StandInAnswer")),
      resolveAs_(Find<decltype(resolveAs_)>("StandInResolveAs")),
      addressBookPick_(Find<decltype(addressBookPick_)>("StandInAddressBookPick")),
      openSessions_(Find<decltype(openSessions_)>("StandInOpenSessions")),
      unfreedBuffers_(Find<decltype(unfreedBuffers_)>("StandInUnfreedBuffers")),
      errorModeAtLoad_(Find<decltype(errorModeAtLoad_)>("StandInErrorModeAtLoad")),
      onCall_(Find<decltype(onCall_)>("StandInOnCall")) {
    Find<decltype(&StandInReset)>("StandInReset")();
}

template <typename Function> Function MapiStandIn::Find(const char* name) const {
    const FARPROC function = library_ ? GetProcAddress(library_.get(), name) : nullptr;
    if (!function)
        throw std::runtime_error("The mail library beside the test program is not the stand-in "
                                 "(Wine prefers its own unless WINEDLLOVERRIDES has mapi32=n,b)");
    return reinterpret_cast<Function>(reinterpret_cast<void*>(function));
}

std::vector<std::string> MapiStandIn::Log() const {
    std::vector<std::string> lines;
    std::istringstream log(log_());
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

WinIniMailSwitch::WinIniMailSwitch(const char* value) {
    char previous[64];
    const char* const missing = "\x01missing";
    GetProfileStringA("MAIL", "MAPI", missing, previous, sizeof previous);
    if (std::string(previous) != missing)
        previous_ = previous;
    WriteProfileStringA("MAIL", "MAPI", value);
}

WinIniMailSwitch::~WinIniMailSwitch() {
    WriteProfileStringA("MAIL", "MAPI", previous_ ? previous_->c_str() : nullptr);
}

} // namespace zandrel::testing
