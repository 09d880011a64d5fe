#include "comms/windows_version.h"

#include "platform/os_version.h"

#include <charconv>

namespace brisendal {
namespace {

// The last version record read and the build text made from it; shared by the
// whole library for the life of the process.
struct VersionState {
    vsq::platform::OsVersionInfo versionRecord;
    std::string buildNumberText;
};

VersionState& versionState() {
    static VersionState state;
    return state;
}

} // namespace

std::int16_t WindowsVersionCode() {
    vsq::platform::OsVersionInfo info;
    info.size = 148;
    vsq::platform::getVersionEx(info);
    switch (info.platformId) {
    case 1:
        return info.minorVersion == 0 ? 95 : info.minorVersion == 10 ? 98 : 0;
    case 2:
        switch (info.majorVersion) {
        case 3:
            return 351;
        case 4:
            return 400;
        case 5:
            return 2000;
        default:
            return 0;
        }
    default:
        return -1;
    }
}

std::string WindowsBuildText() {
    auto& state = versionState();
    state.versionRecord.size = 148;
    vsq::platform::getVersionEx(state.versionRecord);
    const auto& record = state.versionRecord;
    if (record.platformId == 1)
        state.buildNumberText = std::to_string(record.buildNumber & 0xFFF);
    else if (record.platformId == 2)
        state.buildNumberText = std::to_string(record.buildNumber);
    else if (record.platformId >= 3 && record.platformId <= 10)
        state.buildNumberText =
            "Unrecognised Build Number (" + std::to_string(record.buildNumber) + ")";
    return state.buildNumberText;
}

bool IsWindows9xBuild(long build) {
    return IsWindows95Build(build) || build == 1998 || build == 2222 || build == 3000;
}

bool IsWindows9xBuild(const std::string& buildText) {
    long build = 0;
    const char* end = buildText.data() + buildText.size();
    const auto [last, error] = std::from_chars(buildText.data(), end, build);
    return error == std::errc() && last == end && IsWindows9xBuild(build);
}

bool IsWindows95Build(long build) {
    return build == 950 || build == 1111;
}

} // namespace brisendal
