#pragma once
// A tool window opens showing all it holds: when its MDI frame is first shown
// after loading (its lists filled by then), the frame grows to the window's
// size hint and to the width its title needs in the frame's title bar, never
// shrinking below its current size unless the MDI area is smaller, and never
// below what the window needs; a window with wrapping texts gets the height
// they need at the width the area leaves it; then it moves up and left as far
// as it must to stay inside the area.

class QMdiSubWindow;

namespace trelvane {

void fitFrameToWindow(QMdiSubWindow& frame);

// The width the frame's title bar gives its title at the frame's width.
int frameTitleRoom(const QMdiSubWindow& frame, int frameWidth);

} // namespace trelvane
