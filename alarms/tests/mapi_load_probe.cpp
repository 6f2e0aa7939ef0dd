// Loads the mail service as the program does at start and prints what came
// of it: "available", "unavailable" or the error's text.
#include "alarms/smapi.h"

#include <cstdio>

int main() {
    try {
        const zandrel::MapiLibrary mapi = zandrel::LoadMAPI();
        std::puts(mapi.Available() ? "available" : "unavailable");
    } catch (const std::exception& error) {
        std::puts(error.what());
    }
    return 0;
}
