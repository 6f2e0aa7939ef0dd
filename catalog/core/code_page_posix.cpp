// The code pages through the C library's iconv (the native build).
#include "catalog/core/code_page.h"

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

Iconv OpenToUtf8(int codePage) {
    const iconv_t descriptor = iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str());
    return Iconv(descriptor == reinterpret_cast<iconv_t>(-1) ? nullptr : descriptor);
}

// Opened once per code page and thread: a long text is converted in many pieces.
iconv_t ConverterToUtf8(int codePage) {
    thread_local std::map<int, Iconv> converters;
    Iconv& converter = converters[codePage];
    if (!converter)
        converter = OpenToUtf8(codePage);
    if (!converter && codePage != kWesternCodePage)
        return ConverterToUtf8(kWesternCodePage);
    return converter.get();
}

} // namespace

void AppendCodePageText(std::string& utf8, int codePage, std::string_view bytes) {
    const iconv_t converter = ConverterToUtf8(codePage);
    if (!converter) { // a C library without even Windows-1252: read as Latin-1
        for (const char c : bytes)
            AppendUtf8(utf8, static_cast<unsigned char>(c));
        return;
    }
    // iconv takes a non-const input pointer but does not write through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        const std::size_t start = utf8.size();
        // Every input byte yields at most one character of four bytes.
        utf8.resize(start + inLeft * 4);
        char* out = utf8.data() + start;
        std::size_t outLeft = inLeft * 4;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        utf8.resize(utf8.size() - outLeft);
        if (result == static_cast<std::size_t>(-1) && inLeft > 0) {
            // An undefined byte, or a lead byte without its trail byte.
            AppendUtf8(utf8, 0xFFFD);
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

} // namespace zandrel
