#include "tools/zandrel-data/data_tool.h"
#include "tools/zandrel-data/local_clock.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zandrel::RunDataTool(args, std::cout, std::cerr, zandrel::LocalClock());
}
