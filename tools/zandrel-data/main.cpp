#include "tools/zandrel-data/data_tool.h"
#include "tools/zandrel-data/local_clock.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

// The arguments as the system holds them, in UTF-8: a folder named in any
// script reaches the tool whole, whatever the ANSI code page.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(std::size_t(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
}

int main() {
    SetConsoleOutputCP(CP_UTF8); // the paths it prints are UTF-8
    return zandrel::RunDataTool(Arguments(), std::cout, std::cerr, zandrel::LocalClock());
}
#else
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zandrel::RunDataTool(args, std::cout, std::cerr, zandrel::LocalClock());
}
#endif
