#include "comms/bus_state_reset.h"

#include "comms/bus_state.h"

namespace brisendal {

void resetBusStateForTests() {
    busState().resetForTests();
}

} // namespace brisendal
