#include "comms/bus_state.h"

namespace brisendal {

BusState& BusState::instance() {
    static BusState state;
    return state;
}

} // namespace brisendal
