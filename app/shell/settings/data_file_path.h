#pragma once
// Settings file names as the dialog shows them, and where they are on disk.

#include <string>

namespace trelvane {

// The name the dialog shows until a file is chosen, and falls back to.
inline constexpr char kDefaultDataFileName[] = "C:\\VSQ7713DumpFile.txt";

// The file a shown name stands for. A name on a drive ("C:\VSQ7713DumpFile.txt")
// is taken as relative to the user's home folder (~/VSQ7713DumpFile.txt, with
// any further backslashes as folder separators); any other name is a path as it stands.
std::string LocalDataFilePath(const std::string& shownName);

} // namespace trelvane
