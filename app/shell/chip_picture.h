#pragma once
// The program's picture: a VSQ5540 package, drawn at any size. The splash,
// the wizard, the about box and the window icon use it.

#include <QIcon>
#include <QPixmap>

namespace trelvane {

QPixmap chipPicture(int size);
QIcon programIcon();

} // namespace trelvane
