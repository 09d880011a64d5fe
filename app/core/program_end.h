#pragma once
// Ending the program. Closing the main window, Exit, and Cancel in the set-up
// wizard end it at once: nothing is asked, saved or written. The end may come
// while a wait or a bus frame is yielding to the event loop, so it only marks
// the program as quitting (every wait then ends), hides every window and asks
// every running event loop to return; the windows are destroyed when `main`
// lets go of the window registry.

#include <functional>

namespace trelvane {

void endProgram(int exitCode = 0);

// Runs `work`; a failure (an exception) shows a message naming it (and says it
// on standard error) and ends the program, as a failing window load or
// component call does anywhere in it.
void runOrStop(const std::function<void()>& work);

} // namespace trelvane
