#pragma once
// The program's name, title and version, as its windows show them.

#include <string>

namespace trelvane {

inline constexpr char kChipName[] = "VSQ5540";
inline constexpr char kAppTitle[] = "VSQ5540 Evaluation Software";

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// "Version " and the major, minor and revision numbers joined by ".".
inline std::string versionText() {
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

} // namespace trelvane
