#include "tools/zandrel-data/local_clock.h"

#include "storage/core/datetime.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace zandrel {

TDateTime LocalClock::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const DateTimeParts parts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59),
                              static_cast<int>(ms)};
    return EncodeDateTime(parts).value_or(0);
}

} // namespace zandrel
