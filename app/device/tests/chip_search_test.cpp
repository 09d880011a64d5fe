#include "app/device/chip_search.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"
#include "simulated_board.h"

#include <gtest/gtest.h>

#include <regex>

namespace trelvane {
namespace {

using vsq::sim::PortConfig;
using vsq::sim::SimConfig;

// The simulated PC is powered up by each test before the search creates the
// root object, which detects the parallel ports once.
class ChipSearchTest : public testing::FreshProgram {
protected:
    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }

    void powerUpPorts(int count) {
        SimConfig config;
        config.ports.clear();
        for (int port = 0; port < count; ++port)
            config.ports.push_back({static_cast<std::uint16_t>(0x378 - 0x100 * port), false});
        pc().configure(config);
    }

    // The progress values the search reports, in order.
    std::vector<int> progressOf(bool printerPort, bool smbus, bool usb) {
        ChipSearch search;
        std::vector<int> values;
        search.setProgressListener([&](int value, int) { values.push_back(value); });
        search.FillCandidates();
        search.SearchSelectedMedia(printerPort, smbus, usb);
        maximum_ = search.progressMaximum();
        return values;
    }
    int maximum_ = 0;
    vsq::platform::VirtualTime time_{0.0005};
};

struct ProgressCase {
    int ports;
    bool printerPort, smbus, usb;
    int maximum;
    std::vector<int> values;
};

// Named by the ports and the media searched, "4PortsPrinterPortSMBus".
void PrintTo(const ProgressCase& c, std::ostream* out) {
    *out << c.ports << "Ports" << (c.printerPort ? "PrinterPort" : "") << (c.smbus ? "SMBus" : "")
         << (c.usb ? "USB" : "");
}

class ChipSearchProgressTest : public ChipSearchTest,
                               public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ChipSearchProgressTest, MovesEightPerPortOrSlotCappedAtThirtyThreePerMedium) {
    const ProgressCase& c = GetParam();
    powerUpPorts(c.ports);
    EXPECT_EQ(progressOf(c.printerPort, c.smbus, c.usb), c.values);
    EXPECT_EQ(maximum_, c.maximum);
}

INSTANTIATE_TEST_SUITE_P(
    Media, ChipSearchProgressTest,
    ::testing::Values(
        ProgressCase{1, true, false, false, 33, {0, 8}},
        ProgressCase{3, true, false, false, 33, {0, 8, 16, 24}},
        ProgressCase{5, true, false, false, 33, {0, 8, 16, 24, 32, 33}},
        ProgressCase{4, true, true, false, 66, {0, 8, 16, 24, 32, 40, 48, 56, 64, 66}},
        ProgressCase{1, false, false, true, 33, {0, 8, 16, 24, 32, 33}},
        ProgressCase{0, true, true, true, 99, {0, 8, 16, 24, 32, 40, 48, 56, 64, 72, 80}}),
    ::testing::PrintToStringParamName());

TEST_F(ChipSearchTest, TheCandidatesAreFourAddressesAndAnEmptyFifthSlotAndNoPortFindsNone) {
    powerUpPorts(0);
    ChipSearch search;
    search.FillCandidates();
    const ChipSearch::Slots expected = {0xA8, 0x5A, 0x5C, 0x5E, std::nullopt};
    EXPECT_EQ(search.CandidateAddresses, expected);
    search.SearchSelectedMedia(true, false, false);
    EXPECT_EQ(search.FoundCount, 0);
    EXPECT_TRUE(search.FoundAddresses.empty());
}

TEST_F(ChipSearchTest, EachCandidateIsReadOncePerPolarityAndMediumAndTheEmptySlotNever) {
    pc().configure({});
    ChipSearch search;
    search.FillCandidates();
    pc().journal().clear();
    search.SearchSelectedMedia(true, true, false);
    const auto count = [](const std::string& text, const std::string& pattern) {
        const std::regex frame(pattern);
        return std::distance(std::sregex_iterator(text.begin(), text.end(), frame),
                             std::sregex_iterator());
    };
    const std::string bus = pc().journal().text(1);
    const std::string chipset = pc().journal().text(vsq::sim::kChipsetBus);
    for (const std::string address : {"A8", "5A", "5C", "5E"}) {
        EXPECT_EQ(count(bus, "S " + address + ". 94"), 1) << bus;
        EXPECT_EQ(count(chipset, "S " + address + "[+-]"), 1) << chipset;
    }
    EXPECT_EQ(search.FoundCount, 1);
    EXPECT_EQ(search.SMBusFoundAddresses, std::vector<std::uint8_t>{0x54});
}

} // namespace
} // namespace trelvane
