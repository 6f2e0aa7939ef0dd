#pragma once
// The real local clock, as the program reads it.
#include "storage/core/clock.h"

namespace zandrel {

class LocalClock : public Clock {
public:
    TDateTime Now() const override;
};

} // namespace zandrel
