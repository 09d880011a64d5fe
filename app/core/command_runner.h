#pragma once
// One command of a window (a load, "Read All", "Write All", a user's change):
// the given widgets are disabled while it runs and enabled again however it
// ends; a failure (an exception, such as a failed library call) is shown in a
// message box naming it, and the window stays usable. The window registry is
// held while it runs: a window unloaded meanwhile goes only after it ends.

#include <QWidget>

#include <functional>
#include <initializer_list>

namespace trelvane {

// Returns false when `work` failed.
bool runToolCommand(std::initializer_list<QWidget*> busy, const std::function<void()>& work);

} // namespace trelvane
