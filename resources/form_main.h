#pragma once
// The design of the main window: its components, menus and timer.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormMainDescription();

} // namespace zandrel
