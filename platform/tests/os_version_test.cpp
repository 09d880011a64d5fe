#include "platform/os_version.h"

#include <gtest/gtest.h>

using namespace vsq::platform;

TEST(OsVersion, ReportsTheNtFamilyWithAFixedBuild) {
    OsVersionInfo info;
    ASSERT_TRUE(getVersionEx(info));
    EXPECT_EQ(info.platformId, 2u);
    EXPECT_EQ(info.majorVersion, 5u);
    EXPECT_EQ(info.minorVersion, 1u);
    EXPECT_EQ(info.buildNumber, 2600u);

    OsVersionInfo wrongSize;
    wrongSize.size = 12;
    EXPECT_FALSE(getVersionEx(wrongSize));
}

TEST(OsVersion, TestsCanPretendToBeAnotherSystem) {
    OsVersionInfo nine;
    nine.platformId = 1;
    nine.majorVersion = 4;
    nine.minorVersion = 10;
    nine.buildNumber = 0x040A07CE;
    nine.servicePack[0] = 'A';
    overrideOsVersion(nine);
    OsVersionInfo info;
    ASSERT_TRUE(getVersionEx(info));
    EXPECT_EQ(info.platformId, 1u);
    EXPECT_EQ(info.majorVersion, 4u);
    EXPECT_EQ(info.minorVersion, 10u);
    EXPECT_EQ(info.buildNumber & 0xFFF, 1998u);
    EXPECT_EQ(info.servicePack[0], 'A');
    overrideOsVersion(std::nullopt);
    ASSERT_TRUE(getVersionEx(info));
    EXPECT_EQ(info.buildNumber, 2600u);
}
