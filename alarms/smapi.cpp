#include "alarms/smapi.h"

namespace zandrel {
namespace {

// Loads a library without letting the system ask the user about a missing
// file or a drive that is not ready.
ModuleHandle LoadQuietly(const char* name) {
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ModuleHandle library(LoadLibraryA(name));
    SetErrorMode(previous);
    return library;
}

template <typename EntryPoint> void LookUp(HMODULE library, const char* name, EntryPoint& entry) {
    entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (!entry)
        throw EMAPIdllerror();
}

} // namespace

MapiLibrary LoadMAPI() {
    if (GetProfileIntA("MAIL", "MAPI", 0) == 0)
        return {};
    ModuleHandle library = LoadQuietly("mapi32");
    if (!library)
        library = LoadQuietly("mapi32.dll");
    if (!library)
        return {};

    MapiEntryPoints entry;
    const HMODULE module = library.get();
    LookUp(module, "MAPIFindNext", entry.FindNext);
    LookUp(module, "MAPILogoff", entry.Logoff);
    LookUp(module, "MAPILogon", entry.Logon);
    LookUp(module, "MAPISendMail", entry.SendMail);
    LookUp(module, "MAPIReadMail", entry.ReadMail);
    LookUp(module, "MAPIDeleteMail", entry.DeleteMail);
    LookUp(module, "MAPIResolveName", entry.ResolveName);
    LookUp(module, "MAPIFreeBuffer", entry.FreeBuffer);
    LookUp(module, "MAPIAddress", entry.Address);
    return MapiLibrary(std::move(library), entry);
}

} // namespace zandrel
