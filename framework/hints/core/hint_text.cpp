#include "framework/hints/core/hint_text.h"

namespace zandrel {

std::string GetShortHint(std::string_view hint) {
    return std::string(hint.substr(0, hint.find('|')));
}

std::string GetLongHint(std::string_view hint) {
    const auto bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

} // namespace zandrel
