#pragma once
// The platform yield and wait hooks of the program: one pass of the Qt event
// loop (the wait hook sleeping until an event or its bound), with
// user input held back while a bus frame is in progress. Once the program is
// quitting a yield does nothing, so no new work starts while waits unwind.

namespace vsq::controls {

void installQtYieldHook();

} // namespace vsq::controls
