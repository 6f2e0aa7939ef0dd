// The plain-text and JSON export of one message with a long RTF text.
//
//   bench_export [LINES]
//
// LINES (default 2,000,000) lines of a few words each, with a Cyrillic word
// and a \u character on every tenth line. Prints the processor milliseconds
// of each export (the machines are shared: wall time says little), the
// median of 3 rounds.
#include "storage/core/clock.h"
#include "storage/core/message_list.h"
#include "tools/zandrel-data/data_formats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace zandrel;

std::string MakeRtf(long lines) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                      "{\\f1\\fnil\\fcharset204 Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (long i = 0; i < lines; ++i) {
        rtf += "line " + std::to_string(i) + " of the note";
        if (i % 10 == 0)
            rtf += " \\f1\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\f0  \\u8364?";
        rtf += "\\par\r\n";
    }
    return rtf + "}\r\n";
}

double MedianMilliseconds(const std::function<std::size_t()>& step, std::size_t& size) {
    std::vector<double> times;
    for (int round = 0; round < 3; ++round) {
        const std::clock_t start = std::clock();
        size = step();
        times.push_back(1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

} // namespace

int main(int argc, char** argv) {
    const long lines = argc > 1 ? std::atol(argv[1]) : 2000000;
    const FixedClock clock(45000);
    MessageList list;
    auto entry = std::make_unique<TMessageEntry>(clock, list.DataFileName());
    entry->RichText = MakeRtf(lines);
    const std::size_t rtfSize = entry->RichText.size();
    list.Append(std::move(entry));

    std::size_t textSize = 0;
    std::size_t jsonSize = 0;
    const double text = MedianMilliseconds([&] { return ExportText(list).size(); }, textSize);
    const double json = MedianMilliseconds([&] { return ExportJson(list, {}).size(); }, jsonSize);
    std::printf("lines %ld, RTF %.1f MB\n", lines, rtfSize / 1e6);
    std::printf("export text: %.0f ms (%.1f MB)\n", text, textSize / 1e6);
    std::printf("export json: %.0f ms (%.1f MB)\n", json, jsonSize / 1e6);
}
