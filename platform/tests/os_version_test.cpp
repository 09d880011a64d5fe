#include "platform/os_version.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vsq::platform;

namespace {

// The version record's platform, major and minor version, build and first
// service-pack letter, as the program reads them.
std::tuple<unsigned, unsigned, unsigned, unsigned, char> reported() {
    OsVersionInfo info;
    EXPECT_TRUE(getVersionEx(info));
    return {info.platformId, info.majorVersion, info.minorVersion, info.buildNumber,
            info.servicePack[0]};
}

} // namespace

TEST(OsVersion, ReportsTheNtFamilyWithAFixedBuild) {
    EXPECT_EQ(reported(), std::tuple(2u, 5u, 1u, 2600u, '\0'));
    OsVersionInfo wrongSize;
    wrongSize.size = 12;
    EXPECT_FALSE(getVersionEx(wrongSize));
}

TEST(OsVersion, TestsCanPretendToBeAnotherSystem) {
    overrideOsVersion(OsVersionInfo{.majorVersion = 4,
                                    .minorVersion = 10,
                                    .buildNumber = 0x040A07CE,
                                    .platformId = 1,
                                    .servicePack = {'A'}});
    EXPECT_EQ(reported(), std::tuple(1u, 4u, 10u, 0x040A07CEu, 'A'));
    overrideOsVersion(std::nullopt);
    EXPECT_EQ(reported(), std::tuple(2u, 5u, 1u, 2600u, '\0'));
}
