#pragma once
// Pieces of the tool windows' look that every tool shares.

#include <initializer_list>

class QHBoxLayout;
class QWidget;

namespace trelvane {

// A row of command buttons at the right edge of a window.
QHBoxLayout* newButtonRow(std::initializer_list<QWidget*> buttons);

} // namespace trelvane
