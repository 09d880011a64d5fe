#pragma once
// The platform yield hook of the program: one pass of the Qt event loop, with
// user input held back while a bus frame is in progress. Once the program is
// quitting a yield does nothing, so no new work starts while waits unwind.

namespace trelvane {

void installQtYieldHook();

} // namespace trelvane
