#pragma once
// The design of a warning pop-up.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormBlueDescription();

} // namespace zandrel
