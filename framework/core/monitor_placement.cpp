#include "framework/core/monitor_placement.h"

#include <algorithm>
#include <cstdint>

namespace zandrel {
namespace {

// How far apart two ranges lie; 0 when they overlap.
std::int64_t Gap(std::int64_t from, std::int64_t to, std::int64_t otherFrom, std::int64_t otherTo) {
    return std::max<std::int64_t>({0, otherFrom - to, from - otherTo});
}

} // namespace

std::optional<WindowPlace> BackOntoMonitor(WindowPlace window,
                                           std::span<const MonitorArea> monitors) {
    const std::int64_t right = std::int64_t(window.Left) + window.Width;
    const std::int64_t bottom = std::int64_t(window.Top) + window.Height;
    const MonitorArea* nearest = nullptr;
    std::int64_t nearestDistance = 0;
    for (const MonitorArea& monitor : monitors) {
        const std::int64_t dx = Gap(window.Left, right, monitor.Left, monitor.Right);
        const std::int64_t dy = Gap(window.Top, bottom, monitor.Top, monitor.Bottom);
        const bool overlaps =
            std::min<std::int64_t>(right, monitor.Right) > std::max(window.Left, monitor.Left) &&
            std::min<std::int64_t>(bottom, monitor.Bottom) > std::max(window.Top, monitor.Top);
        if (overlaps) {
            return std::nullopt;
        }
        const std::int64_t distance = dx * dx + dy * dy;
        if (!nearest || distance < nearestDistance) {
            nearest = &monitor;
            nearestDistance = distance;
        }
    }
    if (!nearest) {
        return std::nullopt;
    }
    auto inside = [](int start, int length, int from, int to) {
        return std::max(from, std::min(start, to - length));
    };
    window.Left = inside(window.Left, window.Width, nearest->Left, nearest->Right);
    window.Top = inside(window.Top, window.Height, nearest->Top, nearest->Bottom);
    return window;
}

} // namespace zandrel
