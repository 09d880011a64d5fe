#pragma once
// The operating-system version record the bus code classifies the system by.
// This program reports the NT family on Linux: platform id 2, version 5.1,
// build 2600. So the code takes its NT roads: parallel ports are claimed and
// released around their use, and the build is none of the 9x builds.

#include <cstdint>
#include <optional>

namespace vsq::platform {

struct OsVersionInfo {
    std::uint32_t size = 148;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    char servicePack[128] = {};
};

inline constexpr std::uint32_t kReportedPlatformId = 2;
inline constexpr std::uint32_t kReportedMajorVersion = 5;
inline constexpr std::uint32_t kReportedMinorVersion = 1;
inline constexpr std::uint32_t kReportedBuildNumber = 2600;

// Fills the version fields; false when the record's size field is not 148.
bool getVersionEx(OsVersionInfo& info);

// Tests pretend to be another system; std::nullopt restores the reported one.
void overrideOsVersion(std::optional<OsVersionInfo> info);

} // namespace vsq::platform
