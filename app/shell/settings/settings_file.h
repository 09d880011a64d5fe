#pragma once
// Saving the evaluation system's settings to a data file and recalling them
// from one onto the board and the chip. Progress and messages go to the
// feedback the caller gives (the save and recall dialog).

#include "app/shell/settings/save_recall_feedback.h"

#include <string>

namespace trelvane {

// The file as the dialog shows it ("C:\VSQ7713DumpFile.txt" until one is
// chosen); where it is on disk: LocalDataFilePath (data_file_path.h).
extern std::string gDataFileName;
// Which way the dialog works: true save, false recall. Set by the File menu.
extern bool gSaveMode;

// Takes the chosen snapshots (board, RAM, both EEPROM halves) and then writes
// the file whole, replacing the regular file there. A file that cannot be
// written (a read-only file, a FIFO, a device) is left as it was and reported:
// the status says the save failed, with an empty bar, and a message tells
// why. Returns false then.
bool SaveSettingsFile(bool evalBoard, bool ram, bool eeprom, SaveRecallFeedback& feedback);

// Reads and checks the whole file, asks about chosen sections it lacks, and
// only then replays the chosen sections in the order board, RAM, EEPROM. When
// the EEPROM lines are replayed both halves are erased first. Lines that fail
// their checks are skipped and counted in a message at the end; a failing
// transfer is passed over.
void RecallSettingsFile(bool evalBoard, bool ram, bool eeprom, SaveRecallFeedback& feedback);

} // namespace trelvane
