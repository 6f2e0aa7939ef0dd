#pragma once
// The design of a sticker window.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormMemoDescription();

// The names of a sticker's components and event handlers, each spelled once.
namespace form_memo {
namespace on {
inline constexpr char FormCreate[] = "FormCreate";
inline constexpr char FormClose[] = "FormClose";
inline constexpr char FormDblClick[] = "FormDblClick";
} // namespace on
} // namespace form_memo

} // namespace zandrel
