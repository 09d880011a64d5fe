#pragma once
// The library's process-wide bus state put back as a freshly loaded library
// has it (no ports detected, every field at its start value, no frame in
// progress), for test fixtures of the library's clients: a test binary runs
// many cases in one process, and none may see what an earlier one left behind.

namespace brisendal {

void resetBusStateForTests();

} // namespace brisendal
