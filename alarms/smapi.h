#pragma once
// Simple MAPI, the system's mail service: its library, loaded once when the
// program starts, and the nine entry points looked up by name.
#include "framework/handles.h"

#include <windows.h>

#include <mapi.h>

#include <stdexcept>
#include <utility>

namespace zandrel {

// The library is there but lacks one of the entry points.
class EMAPIdllerror : public std::runtime_error {
public:
    EMAPIdllerror() : std::runtime_error("GetProcAddress for MAPI DLL function(s) failed") {}
};

// The entry points of Simple MAPI. The program calls six of them; the other
// three only have to be there.
struct MapiEntryPoints {
    LPMAPIFINDNEXT FindNext = nullptr;
    LPMAPILOGOFF Logoff = nullptr;
    LPMAPILOGON Logon = nullptr;
    LPMAPISENDMAIL SendMail = nullptr;
    LPMAPIREADMAIL ReadMail = nullptr;
    LPMAPIDELETEMAIL DeleteMail = nullptr;
    LPMAPIRESOLVENAME ResolveName = nullptr;
    LPMAPIFREEBUFFER FreeBuffer = nullptr;
    LPMAPIADDRESS Address = nullptr;
};

// The loaded mail library, freed with its owner. An empty one stands for a
// system without the mail service.
class MapiLibrary {
public:
    MapiLibrary() = default;
    MapiLibrary(ModuleHandle library, const MapiEntryPoints& entryPoints)
        : library_(std::move(library)), entryPoints_(entryPoints) {}

    bool Available() const { return static_cast<bool>(library_); }
    // Valid only while Available().
    const MapiEntryPoints& EntryPoints() const { return entryPoints_; }

private:
    ModuleHandle library_;
    MapiEntryPoints entryPoints_;
};

// The mail service as the system offers it: none when WIN.INI's [MAIL] MAPI
// is 0 or missing or when neither "mapi32" nor "mapi32.dll" loads. Throws
// EMAPIdllerror when the library lacks one of the entry points.
MapiLibrary LoadMAPI();

} // namespace zandrel
