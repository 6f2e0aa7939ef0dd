#pragma once
// The design of the Find box.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormFindDescription();

// The names of the Find box's components and event handlers, each spelled once.
namespace form_find {
inline constexpr char EditFind[] = "EditFind";
inline constexpr char btnFindNext[] = "btnFindNext";
inline constexpr char btnClose[] = "btnClose";
namespace on {
inline constexpr char btnFindNextClick[] = "btnFindNextClick";
inline constexpr char btnCloseClick[] = "btnCloseClick";
} // namespace on
} // namespace form_find

} // namespace zandrel
