#pragma once
// The designs of the About window and of the window with the whole About
// text.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormAboutDescription();
const FormDescription& FormAbout2Description();

} // namespace zandrel
