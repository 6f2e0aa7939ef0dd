#pragma once
// The design of a sticker window.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormMemoDescription();

} // namespace zandrel
