#include "framework/core/dpi_scale.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace zandrel {

int DpiScale::Scale(int designPixels) const {
    const std::int64_t product = std::int64_t(designPixels) * dpi_;
    const std::int64_t magnitude = (std::llabs(product) + kDesignDpi / 2) / kDesignDpi;
    return int(product < 0 ? -magnitude : magnitude);
}

int DpiScale::PictureScale() const {
    int best = 100;
    for (const int scale : {150, 200}) {
        // |dpi/96 - scale/100|, compared in whole numbers.
        const int distance = std::abs(dpi_ * 100 - scale * kDesignDpi);
        const int bestDistance = std::abs(dpi_ * 100 - best * kDesignDpi);
        if (distance <= bestDistance) {
            best = scale;
        }
    }
    return best;
}

} // namespace zandrel
