#pragma once
// The system-information tool: found through the registry store and started
// without waiting for it.

#include <QString>

#include <string>

namespace trelvane {

inline constexpr char kSysInfoPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSysInfoPathValue[] = "PATH";
inline constexpr char kSysInfoFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kSysInfoFolderValue[] = "MSINFO";
inline constexpr char kSysInfoProgram[] = "MSINFO32.EXE";

// Reads one registry value as text: a text without its terminating zero, or a
// 32-bit number as its decimal digits. False (and an empty text) when the key
// or the value cannot be read.
bool GetKeyValue(const std::string& keyPath, const std::string& valueName, QString& text);

// Starts the tool, or says "System Information Is Unavailable At This Time".
void StartSysInfo();

} // namespace trelvane
