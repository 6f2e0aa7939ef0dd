// A stand-in Simple MAPI library for the mail tests: it records every call
// with its arguments and answers as the test tells it.
#include "alarms/tests/mapi_stand_in/stand_in_control.h"

#include <mapi.h>

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Records handed out to the caller, with the texts they point to.
struct Allocation {
    std::vector<MapiRecipDesc> records;
    std::deque<std::string> texts;
};

struct Resolution {
    std::string name;
    std::string address;
    bool hasAddress;
};

struct Pick {
    ULONG recipClass;
    std::string name;
    std::string address;
    bool hasAddress;
};

struct State {
    std::vector<std::string> log;
    std::string joinedLog;
    std::map<std::string, std::deque<ULONG>> answers;
    std::map<std::string, Resolution> resolutions;
    std::vector<Pick> picks;
    std::set<LHANDLE> sessions;
    LHANDLE lastSession = 100;
    std::map<void*, std::unique_ptr<Allocation>> allocations;
    void (*onCall)() = nullptr;
};

UINT errorModeAtLoad = 0;

State& Stand() {
    static State state;
    return state;
}

std::string Quoted(const char* text) {
    if (!text)
        return "null";
    std::string quoted = "\"";
    for (const char* c = text; *c; ++c) {
        switch (*c) {
        case '\r':
            quoted += "\\r";
            break;
        case '\n':
            quoted += "\\n";
            break;
        default:
            quoted += *c;
        }
    }
    return quoted + '"';
}

std::string Recipients(ULONG count, const MapiRecipDesc* records) {
    if (!records)
        return "null";
    std::string text = "[";
    for (ULONG i = 0; i < count; ++i) {
        text += (i ? "; " : "") + std::to_string(records[i].ulRecipClass) + " " +
                Quoted(records[i].lpszName) + " " + Quoted(records[i].lpszAddress);
    }
    return text + "]";
}

// The call's log line begins with the entry point; the UI parameter and the
// reserved one show only when they are not 0.
ULONG Called(const char* entryPoint, std::string arguments, ULONG_PTR ui = 0, ULONG reserved = 0) {
    State& state = Stand();
    if (ui)
        arguments += " ui=" + std::to_string(ui);
    if (reserved)
        arguments += " reserved=" + std::to_string(reserved);
    state.log.push_back(entryPoint + (arguments.empty() ? "" : " " + arguments));
    if (state.onCall)
        state.onCall();
    auto& queued = state.answers[entryPoint];
    if (queued.empty())
        return SUCCESS_SUCCESS;
    const ULONG result = queued.front();
    queued.pop_front();
    return result;
}

// No records: none handed out.
lpMapiRecipDesc HandOut(std::unique_ptr<Allocation> allocation) {
    if (allocation->records.empty())
        return nullptr;
    lpMapiRecipDesc records = allocation->records.data();
    Stand().allocations[records] = std::move(allocation);
    return records;
}

void AddRecord(Allocation& allocation, ULONG recipClass, const std::string& name,
               const std::string& address, bool hasAddress) {
    MapiRecipDesc& record = allocation.records.emplace_back();
    record.ulRecipClass = recipClass;
    record.lpszName = allocation.texts.emplace_back(name).data();
    record.lpszAddress = hasAddress ? allocation.texts.emplace_back(address).data() : nullptr;
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        errorModeAtLoad = GetErrorMode();
    return TRUE;
}

ULONG WINAPI MAPILogon(ULONG_PTR ui, LPSTR profile, LPSTR password, FLAGS flags, ULONG reserved,
                       LPLHANDLE session) {
    const ULONG result = Called("MAPILogon",
                                "profile=" + Quoted(profile) + " password=" + Quoted(password) +
                                    " flags=" + std::to_string(flags),
                                ui, reserved);
    if (result == SUCCESS_SUCCESS) {
        *session = ++Stand().lastSession;
        Stand().sessions.insert(*session);
    }
    return result;
}

ULONG WINAPI MAPILogoff(LHANDLE session, ULONG_PTR ui, FLAGS flags, ULONG reserved) {
    const ULONG result = Called(
        "MAPILogoff", "session=" + std::to_string(session) + " flags=" + std::to_string(flags), ui,
        reserved);
    if (result == SUCCESS_SUCCESS)
        Stand().sessions.erase(session);
    return result;
}

ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR ui, lpMapiMessage message, FLAGS flags,
                          ULONG reserved) {
    std::string files = message->lpFiles ? "[" : "null";
    for (ULONG i = 0; message->lpFiles && i < message->nFileCount; ++i) {
        const MapiFileDesc& file = message->lpFiles[i];
        files += (i ? "; " : "") + std::to_string(static_cast<LONG>(file.nPosition)) + " " +
                 Quoted(file.lpszPathName);
    }
    if (message->lpFiles)
        files += "]";
    return Called("MAPISendMail",
                  "session=" + std::to_string(session) + " flags=" + std::to_string(flags) +
                      " subject=" + Quoted(message->lpszSubject) +
                      " text=" + Quoted(message->lpszNoteText) +
                      " messageflags=" + std::to_string(message->flFlags) + " recipients=" +
                      Recipients(message->nRecipCount, message->lpRecips) + " files=" + files,
                  ui, reserved);
}

ULONG WINAPI MAPIResolveName(LHANDLE session, ULONG_PTR ui, LPSTR name, FLAGS flags, ULONG reserved,
                             lpMapiRecipDesc* resolved) {
    const ULONG result = Called("MAPIResolveName",
                                "session=" + std::to_string(session) + " name=" + Quoted(name) +
                                    " flags=" + std::to_string(flags),
                                ui, reserved);
    if (result != SUCCESS_SUCCESS)
        return result;
    const auto& resolutions = Stand().resolutions;
    const auto found = resolutions.find(name);
    const Resolution resolution = found != resolutions.end()
                                      ? found->second
                                      : Resolution{name, std::string("SMTP:") + name, true};
    auto allocation = std::make_unique<Allocation>();
    AddRecord(*allocation, MAPI_TO, resolution.name, resolution.address, resolution.hasAddress);
    *resolved = HandOut(std::move(allocation));
    return result;
}

ULONG WINAPI MAPIAddress(LHANDLE session, ULONG_PTR ui, LPSTR caption, ULONG editFields,
                         LPSTR labels, ULONG count, lpMapiRecipDesc recipients, FLAGS flags,
                         ULONG reserved, LPULONG pickedCount, lpMapiRecipDesc* picked) {
    const ULONG result = Called(
        "MAPIAddress",
        "session=" + std::to_string(session) + " caption=" + Quoted(caption) +
            " fields=" + std::to_string(editFields) + " labels=" + Quoted(labels) +
            " flags=" + std::to_string(flags) + " recipients=" + Recipients(count, recipients),
        ui, reserved);
    if (result != SUCCESS_SUCCESS)
        return result;
    auto allocation = std::make_unique<Allocation>();
    allocation->records.reserve(Stand().picks.empty() ? count : Stand().picks.size());
    if (Stand().picks.empty()) {
        for (ULONG i = 0; i < count; ++i) {
            const MapiRecipDesc& given = recipients[i];
            AddRecord(*allocation, given.ulRecipClass, given.lpszName ? given.lpszName : "",
                      given.lpszAddress ? given.lpszAddress : "", given.lpszAddress != nullptr);
        }
    }
    for (const Pick& pick : Stand().picks)
        AddRecord(*allocation, pick.recipClass, pick.name, pick.address, pick.hasAddress);
    *pickedCount = static_cast<ULONG>(allocation->records.size());
    *picked = HandOut(std::move(allocation));
    return result;
}

ULONG WINAPI MAPIFreeBuffer(LPVOID buffer) {
    if (Stand().onCall)
        Stand().onCall();
    if (Stand().allocations.erase(buffer) == 0)
        Stand().log.push_back("MAPIFreeBuffer of an unknown buffer");
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPIFindNext(LHANDLE session, ULONG_PTR ui, LPSTR, LPSTR, FLAGS, ULONG reserved,
                          LPSTR) {
    return Called("MAPIFindNext", "session=" + std::to_string(session), ui, reserved);
}

ULONG WINAPI MAPIReadMail(LHANDLE session, ULONG_PTR ui, LPSTR, FLAGS, ULONG reserved,
                          lpMapiMessage*) {
    return Called("MAPIReadMail", "session=" + std::to_string(session), ui, reserved);
}

ULONG WINAPI MAPIDeleteMail(LHANDLE session, ULONG_PTR ui, LPSTR, FLAGS, ULONG reserved) {
    return Called("MAPIDeleteMail", "session=" + std::to_string(session), ui, reserved);
}

void StandInReset() {
    Stand() = State();
}

const char* StandInLog() {
    State& state = Stand();
    state.joinedLog.clear();
    for (const std::string& line : state.log)
        state.joinedLog += (state.joinedLog.empty() ? "" : "\n") + line;
    return state.joinedLog.c_str();
}

void StandInAnswer(const char* entryPoint, ULONG result) {
    Stand().answers[entryPoint].push_back(result);
}

void StandInResolveAs(const char* query, const char* name, const char* address) {
    Stand().resolutions[query] = Resolution{name, address ? address : "", address != nullptr};
}

void StandInAddressBookPick(ULONG recipClass, const char* name, const char* address) {
    Stand().picks.push_back(Pick{recipClass, name, address ? address : "", address != nullptr});
}

int StandInOpenSessions() {
    return static_cast<int>(Stand().sessions.size());
}

int StandInUnfreedBuffers() {
    return static_cast<int>(Stand().allocations.size());
}

UINT StandInErrorModeAtLoad() {
    return errorModeAtLoad;
}

void StandInOnCall(void (*callback)()) {
    Stand().onCall = callback;
}

} // extern "C"
