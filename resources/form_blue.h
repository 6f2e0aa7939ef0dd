#pragma once
// The design of a warning pop-up.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormBlueDescription();

// The names of a warning pop-up's components and event handlers, each spelled once.
namespace form_blue {
inline constexpr char Panel1[] = "Panel1";
inline constexpr char lblTime[] = "lblTime";
inline constexpr char RichEdit1[] = "RichEdit1";
namespace on {
inline constexpr char FormCreate[] = "FormCreate";
inline constexpr char FormClose[] = "FormClose";
} // namespace on
} // namespace form_blue

} // namespace zandrel
