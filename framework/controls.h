#pragma once
// Every kind of control of the framework.
#include "framework/buttons.h"
#include "framework/containers.h"
#include "framework/control.h"
#include "framework/custom_control.h"
#include "framework/date_time_picker.h"
#include "framework/edits.h"
#include "framework/lists.h"
#include "framework/status_bar.h"
#include "framework/tool_bar.h"
