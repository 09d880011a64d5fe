#pragma once
// One command of a tool window (a load, "Read All", "Write All"): the window
// and its buttons are disabled while it runs and enabled again however it
// ends; a failure (an exception, such as a failed library call) is shown in a
// message box naming it, and the window stays usable.

#include "app/tools/fill_guard.h"

#include <QWidget>

#include <functional>
#include <initializer_list>

namespace trelvane {

// Returns false when `work` failed.
bool runToolCommand(std::initializer_list<QWidget*> busy, const std::function<void()>& work);

// The handler of a user's change to a control: runs `work` unless the window
// is filling its controls, and shows a failure instead of passing it on.
template <class Work> auto userChange(FillGuard& fill, Work work) {
    return fill.unlessFilling([work = std::move(work)] { runToolCommand({}, work); });
}

} // namespace trelvane
