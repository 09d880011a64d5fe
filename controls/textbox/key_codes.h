#pragma once
// Qt's keyboard and mouse events in the codes the text box's events carry:
// key codes of the physical keys (65 for A, 13 for Enter, 37 to 40 for the
// arrows, 112 on for F1 ...), the shift state (1 Shift, 2 Ctrl, 4 Alt), the
// character code of a key that types a character, and mouse button codes
// (1 left, 2 right, 4 middle).

#include <Qt>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace quiltane {

std::int16_t keyCodeOf(const QKeyEvent& event);
std::int16_t shiftStateOf(Qt::KeyboardModifiers modifiers);
// The character code a key press types: printable characters, Enter 13,
// Backspace 8, Escape 27 and Ctrl with a letter 1 to 26. Nothing for keys that
// type no character (arrows, Delete, Tab, Alt combinations).
std::optional<int> characterCodeOf(const QKeyEvent& event);
std::int16_t mouseButtonsOf(Qt::MouseButtons buttons);

} // namespace quiltane
