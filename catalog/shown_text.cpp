#include "catalog/shown_text.h"

#include "framework/controls/rich_edit.h"

namespace zandrel {
namespace {

MessageTextLoadWatch* installedWatch = nullptr;

} // namespace

MessageText ShownTextOf(const TMessageEntry& entry) {
    return TextToShow(entry, static_cast<int>(GetACP()));
}

std::string AnsiFirstLine(const MessageText& text) {
    constexpr std::size_t kMaxCharacters = 60;
    const std::string utf8 = FirstLine(text, kMaxCharacters);
    if (utf8.empty()) {
        return utf8;
    }
    const int length = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(
        std::size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), length)));
    const int wideLength = static_cast<int>(wide.size());
    std::string ansi(wide.size() * 2, '\0');
    ansi.resize(std::size_t(WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(),
                                                int(ansi.size()), nullptr, nullptr)));
    return ansi;
}

void LoadMessageText(HWND control, const MessageText& text) {
    if (text.Stored && installedWatch) {
        installedWatch->loading_(text.Key);
    }
    LoadRichText(control, text.Rtf);
}

MessageTextLoadWatch::MessageTextLoadWatch(std::function<void(const std::string& key)> loading)
    : loading_(std::move(loading)), outer_(installedWatch) {
    installedWatch = this;
}

MessageTextLoadWatch::~MessageTextLoadWatch() {
    installedWatch = outer_;
}

} // namespace zandrel
