#pragma once
// The main window's status-bar line, shared by the shell's long operations.

#include <QString>

#include <cstdint>

namespace trelvane {

// The text last given to SetMainStatus.
extern QString gMainStatusText;

// Keeps the text in gMainStatusText and shows it in the main window's status bar.
void SetMainStatus(const QString& text);
// Shows gMainStatusText, a blank, then " 50% done." (for 50); the text is kept.
void ShowPercentDone(std::uint8_t percent);

} // namespace trelvane
