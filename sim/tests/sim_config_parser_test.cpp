#include "sim/sim_config_parser.h"

#include <gtest/gtest.h>

using namespace vsq::sim;

namespace {

SimConfig parsed(const std::string& text, std::size_t expectedProblems = 0) {
    std::vector<std::string> problems;
    SimConfig config = parseSimConfig(text, problems);
    EXPECT_EQ(problems.size(), expectedProblems) << text;
    return config;
}

// The ports' settings, comparable as one value.
using PortFields = std::tuple<int, bool, int, AdapterPolarity>;
std::vector<PortFields> fields(const std::vector<PortConfig>& ports) {
    std::vector<PortFields> all;
    for (const PortConfig& p : ports)
        all.emplace_back(p.base, p.board, p.chipAddress, p.polarity);
    return all;
}

} // namespace

TEST(SimConfigParser, Ports) {
    struct Case {
        const char* text;
        std::vector<PortConfig> ports;
    };
    const AdapterPolarity plain = AdapterPolarity::NonInverting;
    const Case cases[] = {
        {"", {{0x378, true, 0xA8, AdapterPolarity::Inverting}}}, // the defaults
        {"ports=none", {}},
        {"ports=0x378,0x278", {{0x378}, {0x278}}},
        {"ports=0x378:empty, 0x278:empty:board:chip=0xFF ", {{0x378, false}, {0x278, true, 0xFE}}},
        {"ports=0xD000:noninverting", {{0xD000, true, 0xA8, plain}}},
        {"chip=0x5F; ports=888,632:chip=0xA8", {{888, true, 0x5E}, {632, true, 0xA8}}},
        {"ports=0x378; ports=0x278", {{0x278}}},
        {"adapter=noninverting", {{0x378, true, 0xA8, plain}}},
        {"ports=0x278:inverting;adapter=noninverting", {{0x278}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fields(parsed(c.text).ports), fields(c.ports)) << c.text;
}

TEST(SimConfigParser, Chipset) {
    SimConfig config = parsed(""); // the defaults
    EXPECT_EQ(config.southBridge, SouthBridge::Piix4);
    EXPECT_TRUE(config.smbusBoard);
    config = parsed("pci=ali ; smbus-base=0x6000 ; smbus-board=empty; busy-reads=0");
    EXPECT_EQ(config.southBridge, SouthBridge::Ali);
    EXPECT_EQ(config.smbusBase, 0x6000);
    EXPECT_FALSE(config.smbusBoard);
    EXPECT_EQ(config.hostBusyReads, 0);
    config = parsed("pci=ich;smbus-id=0X24188086;smbus-chip=0x5C");
    EXPECT_EQ(config.southBridge, SouthBridge::Ich);
    EXPECT_EQ(config.smbusIdentifier, 0x24188086u);
    EXPECT_EQ(config.smbusChipAddress, 0x5C);
    EXPECT_EQ(parsed("pci=none").southBridge, SouthBridge::None);
    EXPECT_EQ(parsed("pci=ich; pci=piix4").southBridge, SouthBridge::Piix4);
    // Every number at its largest; a later item replaces an earlier one.
    config = parsed("smbus-base=0xFFFF; smbus-id=0xFFFFFFFF; smbus-chip=0xFF; busy-reads=1000; "
                    "smbus-board=empty; smbus-board=board");
    EXPECT_EQ(config.smbusBase, 0xFFFF);
    EXPECT_EQ(config.smbusIdentifier, 0xFFFFFFFFu);
    EXPECT_EQ(config.smbusChipAddress, 0xFE);
    EXPECT_EQ(config.hostBusyReads, 1000);
    EXPECT_TRUE(config.smbusBoard);
    EXPECT_EQ(parsed("busy-reads=1001; smbus-base=0x10000; smbus-id=0x100000000", 3).hostBusyReads,
              3);
}

TEST(SimConfigParser, ProblemsAreReportedAndSkipped) {
    SimConfig config =
        parsed("pci=via; ports=0x378,banana,0x10000; chip=0x1FF; colour=red; junk", 6);
    EXPECT_EQ(config.southBridge, SouthBridge::Piix4);
    ASSERT_EQ(config.ports.size(), 1u);
    EXPECT_EQ(config.ports[0].chipAddress, 0xA8);
    parsed("ports=0x378:sideways", 1);
    std::vector<std::string> problems;
    config = parseSimConfig("ports=0x378:empty,888,0x278", problems);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "VSQ_SIM: \"ports=0x378:empty,888,0x278\": port \"888\" given twice"}));
    ASSERT_EQ(config.ports.size(), 2u);
    EXPECT_FALSE(config.ports[0].board);
    EXPECT_EQ(config.ports[1].base, 0x278);
}

TEST(SimConfigParser, PortsWhoseRegistersCollideOrLeaveTheIoSpaceAreSkipped) {
    struct Case {
        const char* text;
        const char* problem;
        std::vector<PortConfig> ports;
    };
    const Case cases[] = {
        {"0x378,0x379", "port \"0x379\" overlaps another port", {{0x378}}},
        {"0x378,0x37A", "port \"0x37A\" overlaps another port", {{0x378}}},
        {"0x37A,0x378", "port \"0x378\" overlaps another port", {{0x37A}}},
        {"0x378,0x37B", nullptr, {{0x378}, {0x37B}}},
        {"0xFFFF", "port \"0xFFFF\" runs past the I/O space", {}},
        {"0xFFFE", "port \"0xFFFE\" runs past the I/O space", {}},
        {"0xFFFD", nullptr, {{0xFFFD}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        const std::string text = std::string("ports=") + c.text;
        const SimConfig config = parseSimConfig(text, problems);
        std::vector<std::string> expected;
        if (c.problem)
            expected.push_back("VSQ_SIM: \"" + text + "\": " + c.problem);
        EXPECT_EQ(problems, expected) << text;
        EXPECT_EQ(fields(config.ports), fields(c.ports)) << text;
    }
}
