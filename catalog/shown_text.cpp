#include "catalog/shown_text.h"

#include "framework/controls/rich_edit.h"
#include "framework/text/core/utf8.h"

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
    const std::u16string wide = Utf8ToUtf16(utf8);
    const int wideLength = static_cast<int>(wide.size());
    std::string ansi(wide.size() * 2, '\0');
    ansi.resize(std::size_t(WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWCH>(wide.data()),
                                                wideLength, ansi.data(), int(ansi.size()), nullptr,
                                                nullptr)));
    return ansi;
}

void LoadMessageText(HWND control, const MessageText& text) {
    MessageTextLoadWatch* const watch = text.Stored ? installedWatch : nullptr;
    if (watch) {
        watch->loading_(text.Key);
    }
    LoadRichText(control, text.Rtf);
    if (watch && watch->loaded_) {
        watch->loaded_();
    }
}

MessageTextLoadWatch::MessageTextLoadWatch(std::function<void(const std::string& key)> loading,
                                           std::function<void()> loaded)
    : loading_(std::move(loading)), loaded_(std::move(loaded)), outer_(installedWatch) {
    installedWatch = this;
}

MessageTextLoadWatch::~MessageTextLoadWatch() {
    installedWatch = outer_;
}

} // namespace zandrel
