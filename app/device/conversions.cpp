#include "app/device/conversions.h"

#include <cmath>
#include <limits>

namespace trelvane {

std::uint8_t toByte(long long value) {
    if (value < 0 || value > 0xFF) {
        throw Overflow();
    }
    return static_cast<std::uint8_t>(value);
}

std::int32_t roundToInt32(double value) {
    // The default floating-point environment rounds to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw Overflow();
    }
    return static_cast<std::int32_t>(rounded);
}

} // namespace trelvane
