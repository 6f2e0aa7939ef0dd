// The double-byte code pages through the platform (Windows, and Wine).
#include "framework/text/core/code_page_tables.h"

#include <windows.h>

#include <climits>

namespace zandrel {

bool PlatformDecode(int codePage, std::string_view bytes, std::u32string& characters) {
    if (bytes.empty())
        return true;
    if (bytes.size() > INT_MAX / 2)
        return false;
    const int length = static_cast<int>(bytes.size());
    std::wstring wide(bytes.size(), L'\0');
    const int count = MultiByteToWideChar(static_cast<UINT>(codePage), MB_ERR_INVALID_CHARS,
                                          bytes.data(), length, wide.data(), length);
    if (count <= 0)
        return false;
    for (int i = 0; i < count; ++i) {
        char32_t unit = wide[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (wide[++i] - 0xDC00);
        }
        characters += unit;
    }
    return true;
}

} // namespace zandrel
