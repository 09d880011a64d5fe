#include "sim/qr1174_pot.h"

namespace vsq::sim {

bool Qr1174Pot::writeByte(std::uint8_t value) {
    if (phaseBytes_++ == 0)
        pointer_ = value;
    else if (pointer_ == 0)
        wiper_ = value;
    return true;
}

} // namespace vsq::sim
