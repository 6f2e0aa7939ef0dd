#pragma once
// Every kind of control of the framework.
#include "framework/controls/buttons.h"
#include "framework/controls/containers.h"
#include "framework/controls/control.h"
#include "framework/controls/custom_control.h"
#include "framework/controls/date_time_picker.h"
#include "framework/controls/edits.h"
#include "framework/controls/lists.h"
#include "framework/controls/status_bar.h"
#include "framework/controls/tool_bar.h"
