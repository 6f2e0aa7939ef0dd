#pragma once
// What the mail tests share: the stand-in mail library beside the test
// program, and WIN.INI's mail switch set for one test.
#include "alarms/tests/mapi_stand_in/stand_in_control.h"
#include "framework/handles.h"

#include <optional>
#include <string>
#include <vector>

namespace zandrel::testing {

// The stand-in mail library's test side; forgets what the library recorded
// and was told before.
class MapiStandIn {
public:
    MapiStandIn();

    // The calls so far, one line each.
    std::vector<std::string> Log() const;
    void Answer(const char* entryPoint, ULONG result) const { answer_(entryPoint, result); }
    void ResolveAs(const char* query, const char* name, const char* address) const {
        resolveAs_(query, name, address);
    }
    void AddressBookPick(ULONG recipClass, const char* name, const char* address) const {
        addressBookPick_(recipClass, name, address);
    }
    int OpenSessions() const { return openSessions_(); }
    int UnfreedBuffers() const { return unfreedBuffers_(); }
    UINT ErrorModeAtLoad() const { return errorModeAtLoad_(); }
    void OnCall(void (*callback)()) const { onCall_(callback); }

private:
    template <typename Function> Function Find(const char* name) const;

    ModuleHandle library_;
    decltype(&StandInLog) log_;
    decltype(&StandInAnswer) answer_;
    decltype(&StandInResolveAs) resolveAs_;
    decltype(&StandInAddressBookPick) addressBookPick_;
    decltype(&StandInOpenSessions) openSessions_;
    decltype(&StandInUnfreedBuffers) unfreedBuffers_;
    decltype(&StandInErrorModeAtLoad) errorModeAtLoad_;
    decltype(&StandInOnCall) onCall_;
};

// Sets [MAIL] MAPI in WIN.INI (none: removes it) and puts back what was
// there when it goes.
class WinIniMailSwitch {
public:
    explicit WinIniMailSwitch(const char* value);
    ~WinIniMailSwitch();
    WinIniMailSwitch(const WinIniMailSwitch&) = delete;
    WinIniMailSwitch& operator=(const WinIniMailSwitch&) = delete;

private:
    std::optional<std::string> previous_;
};

} // namespace zandrel::testing
