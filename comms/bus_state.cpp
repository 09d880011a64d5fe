#include "comms/bus_state.h"

namespace brisendal {

// Lives from the library's loading to the end of the process.
BusState BusState::instance_;

} // namespace brisendal
