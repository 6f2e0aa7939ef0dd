#include "framework/tests/metafile_text.h"

#include "framework/report/report_text.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace zandrel::testing {
namespace {

// What a metafile's logical units are in mm.
struct MetafileScale {
    double X;
    double Y;
};

MetafileScale ScaleOf(HENHMETAFILE metafile) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    return {double(header.szlMillimeters.cx) / std::max<LONG>(1, header.szlDevice.cx),
            double(header.szlMillimeters.cy) / std::max<LONG>(1, header.szlDevice.cy)};
}

struct Collected {
    MetafileScale Scale;
    std::vector<PageText> Texts;
};

std::string Utf8(const wchar_t* text, int length) {
    std::string utf8(static_cast<std::size_t>(length) * 3 + 1, '\0');
    const int written = WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), int(utf8.size()),
                                            nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(std::max(0, written)));
    return utf8;
}

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& collected = *reinterpret_cast<Collected*>(data);
    const auto place = [&](const EMRTEXT& text) {
        return std::pair{text.ptlReference.x * collected.Scale.X,
                         text.ptlReference.y * collected.Scale.Y};
    };
    const auto width = [&](const EMRTEXT& text) {
        if (text.offDx == 0) {
            return 0.0;
        }
        const auto* advances =
            reinterpret_cast<const INT*>(reinterpret_cast<const char*>(record) + text.offDx);
        double sum = 0;
        for (DWORD i = 0; i < text.nChars; ++i) {
            sum += advances[i];
        }
        return sum * collected.Scale.X;
    };
    if (record->iType == EMR_EXTTEXTOUTA) {
        const auto& out = *reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(record) + out.emrtext.offString;
        const std::u16string wide = WideText(std::string_view(chars, out.emrtext.nChars));
        const auto [x, y] = place(out.emrtext);
        collected.Texts.push_back(
            {Utf8(reinterpret_cast<const wchar_t*>(wide.data()), int(wide.size())), x, y,
             width(out.emrtext)});
    } else if (record->iType == EMR_EXTTEXTOUTW) {
        const auto& out = *reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        if (out.emrtext.fOptions & ETO_GLYPH_INDEX) {
            return 1;
        }
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(record) +
                                                             out.emrtext.offString);
        const auto [x, y] = place(out.emrtext);
        collected.Texts.push_back({Utf8(chars, int(out.emrtext.nChars)), x, y, width(out.emrtext)});
    }
    return 1;
}

} // namespace

std::vector<PageText> TextsOfMetafile(HENHMETAFILE metafile) {
    Collected collected{ScaleOf(metafile), {}};
    EnumEnhMetaFile(nullptr, metafile, CollectText, &collected, nullptr);
    std::vector<PageText>& texts = collected.Texts;
    std::stable_sort(texts.begin(), texts.end(),
                     [](const PageText& a, const PageText& b) { return a.Y < b.Y; });
    constexpr double sameLine = 1.0; // mm between baselines
    for (auto line = texts.begin(); line != texts.end();) {
        auto end = line;
        while (end != texts.end() && end->Y - line->Y < sameLine) {
            ++end;
        }
        std::stable_sort(line, end, [](const PageText& a, const PageText& b) { return a.X < b.X; });
        line = end;
    }
    return std::move(texts);
}

} // namespace zandrel::testing
