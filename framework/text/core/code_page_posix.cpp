// The double-byte code pages through the C library's iconv (the native build).
#include "framework/text/core/code_page_tables.h"

#include <iconv.h>

#include <map>
#include <memory>
#include <string>

namespace zandrel {
namespace {

struct IconvCloser {
    void operator()(iconv_t descriptor) const { iconv_close(descriptor); }
};
using Iconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// Opened once per code page and thread: a long text is converted in many pieces.
iconv_t ConverterToUtf32(int codePage) {
    thread_local std::map<int, Iconv> converters;
    Iconv& converter = converters[codePage];
    if (!converter) {
        const iconv_t descriptor =
            iconv_open("UTF-32LE", ("CP" + std::to_string(codePage)).c_str());
        if (descriptor != reinterpret_cast<iconv_t>(-1))
            converter.reset(descriptor);
    }
    return converter.get();
}

} // namespace

bool PlatformDecode(int codePage, std::string_view bytes, std::u32string& characters) {
    const iconv_t converter = ConverterToUtf32(codePage);
    if (!converter)
        return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    // Every input byte yields at most one character of four bytes.
    std::string utf32(bytes.size() * 4, '\0');
    // iconv takes a non-const input pointer but does not write through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = utf32.data();
    std::size_t outLeft = utf32.size();
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(converter, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
        return false;
    const auto* unit = reinterpret_cast<const unsigned char*>(utf32.data());
    for (; unit < reinterpret_cast<const unsigned char*>(out); unit += 4)
        characters += char32_t(unit[0] | unit[1] << 8 | unit[2] << 16 | unit[3] << 24);
    return true;
}

} // namespace zandrel
