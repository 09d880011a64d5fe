#include "platform/os_version.h"

#include <cstring>

namespace vsq::platform {
namespace {

std::optional<OsVersionInfo>& overridden() {
    static std::optional<OsVersionInfo> info;
    return info;
}

} // namespace

bool getVersionEx(OsVersionInfo& info) {
    if (info.size != 148)
        return false;
    if (const auto& fake = overridden()) {
        info.majorVersion = fake->majorVersion;
        info.minorVersion = fake->minorVersion;
        info.buildNumber = fake->buildNumber;
        info.platformId = fake->platformId;
        std::memcpy(info.servicePack, fake->servicePack, sizeof info.servicePack);
        return true;
    }
    info.majorVersion = kReportedMajorVersion;
    info.minorVersion = kReportedMinorVersion;
    info.buildNumber = kReportedBuildNumber;
    info.platformId = kReportedPlatformId;
    std::memset(info.servicePack, 0, sizeof info.servicePack);
    return true;
}

void overrideOsVersion(std::optional<OsVersionInfo> info) { overridden() = info; }

} // namespace vsq::platform
