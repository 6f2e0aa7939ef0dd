#pragma once
// A hint may hold a short and a long part separated by "|": the short part is
// the hint window, the long part goes to the status bar.
#include <string>
#include <string_view>

namespace zandrel {

// The text before the first "|", or the whole hint.
std::string GetShortHint(std::string_view hint);
// The text after the first "|", or the whole hint.
std::string GetLongHint(std::string_view hint);

} // namespace zandrel
