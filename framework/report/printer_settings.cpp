#include "framework/report/printer_settings.h"

#include "framework/handles.h"

#include <winspool.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace zandrel {
namespace {

void ClosePrinterHandle(HANDLE printer) {
    ClosePrinter(printer);
}
using PrinterHandle = UniqueHandle<HANDLE, ClosePrinterHandle>;

bool HasPaper(const std::string& printer, WORD paper) {
    const DWORD count = DeviceCapabilitiesA(printer.c_str(), nullptr, DC_PAPERS, nullptr, nullptr);
    if (count == 0 || count == DWORD(-1)) {
        return false;
    }
    std::vector<WORD> papers(count);
    DeviceCapabilitiesA(printer.c_str(), nullptr, DC_PAPERS, reinterpret_cast<char*>(papers.data()),
                        nullptr);
    return std::find(papers.begin(), papers.end(), paper) != papers.end();
}

} // namespace

PrinterSettings::PrinterSettings(const PrinterChoice& printer) {
    HANDLE opened = nullptr;
    char* name = const_cast<char*>(printer.Name.c_str());
    if (!OpenPrinterA(name, &opened, nullptr)) {
        return;
    }
    const PrinterHandle handle(opened);
    const LONG size = DocumentPropertiesA(nullptr, handle.get(), name, nullptr, nullptr, 0);
    if (size <= 0) {
        return;
    }
    std::vector<char> chosen(std::max(std::size_t(size), printer.Settings.size()));
    auto* mode = reinterpret_cast<DEVMODEA*>(chosen.data());
    if (!printer.Settings.empty()) {
        std::memcpy(chosen.data(), printer.Settings.data(), printer.Settings.size());
    } else if (DocumentPropertiesA(nullptr, handle.get(), name, mode, nullptr, DM_OUT_BUFFER) !=
               IDOK) {
        return;
    }
    if (HasPaper(printer.Name, DMPAPER_A4)) {
        mode->dmFields &= ~DWORD(DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME);
        mode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
        mode->dmPaperSize = DMPAPER_A4;
        mode->dmOrientation = DMORIENT_PORTRAIT;
    }
    mode->dmFields |= DM_COPIES;
    mode->dmCopies = static_cast<short>(std::clamp(printer.Copies, 1, int(SHRT_MAX)));
    // The driver merges them with its own and checks them.
    mode_.resize(std::size_t(size));
    if (DocumentPropertiesA(nullptr, handle.get(), name, reinterpret_cast<DEVMODEA*>(mode_.data()),
                            mode, DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK) {
        mode_ = std::move(chosen);
    }
}

} // namespace zandrel
