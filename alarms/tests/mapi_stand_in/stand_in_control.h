#pragma once
// The test-only side of the stand-in mail library: what a test reaches with
// GetProcAddress to script the library's answers and read what it was asked.
#include <windows.h>

extern "C" {
// Forgets every call, answer and open session.
void StandInReset();
// The calls so far, one line each, "\n" between lines. Valid until the next call.
const char* StandInLog();
// The next call of the named entry point returns result (once per call).
void StandInAnswer(const char* entryPoint, ULONG result);
// A successful MAPIResolveName of query returns this name and address (null: none).
// Without it the name is the query and the address "SMTP:" and the query.
void StandInResolveAs(const char* query, const char* name, const char* address);
// Adds an entry to what the address book returns; without any it returns
// the recipients it was given.
void StandInAddressBookPick(ULONG recipClass, const char* name, const char* address);
// Sessions logged on and not yet logged off.
int StandInOpenSessions();
// Buffers the library handed out and has not got back.
int StandInUnfreedBuffers();
// The system error mode while the library was being loaded.
UINT StandInErrorModeAtLoad();
// Runs at every call of an entry point, MAPIFreeBuffer too (null: nothing).
void StandInOnCall(void (*callback)());
}
