// The code pages through the platform (Windows, and Wine).
#include "catalog/core/code_page.h"

#include <windows.h>

#include <climits>

namespace zandrel {
namespace {

// Lead bytes without their trail byte, and bytes a code page does not
// define, become the platform's stand-in character.
std::wstring ToWide(int codePage, std::string_view bytes) {
    std::wstring wide;
    if (bytes.empty() || bytes.size() > INT_MAX)
        return wide;
    const int length = static_cast<int>(bytes.size());
    const int count =
        MultiByteToWideChar(static_cast<UINT>(codePage), 0, bytes.data(), length, nullptr, 0);
    if (count <= 0)
        return wide;
    wide.resize(static_cast<std::size_t>(count));
    MultiByteToWideChar(static_cast<UINT>(codePage), 0, bytes.data(), length, wide.data(), count);
    return wide;
}

} // namespace

void AppendCodePageText(std::string& utf8, int codePage, std::string_view bytes) {
    if (!IsValidCodePage(static_cast<UINT>(codePage)))
        codePage = kWesternCodePage;
    const std::wstring wide = ToWide(codePage, bytes);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t unit = wide[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (wide[++i] - 0xDC00);
        }
        AppendUtf8(utf8, unit);
    }
}

} // namespace zandrel
