#include "alarms/smapi.h"

namespace zandrel {

MapiLibrary LoadMAPI() {
    return {};
}

} // namespace zandrel
