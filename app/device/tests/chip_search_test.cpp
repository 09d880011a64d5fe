#include "app/shell/chip_search.h"
#include "app/shell/core/tagged_item_delegate.h"
#include "board_test.h"

#include <QRegularExpression>

namespace trelvane {
namespace {

using vsq::sim::PortConfig;
using vsq::sim::SimConfig;

class ChipSearchTest : public testing::BoardTest {
protected:
    void powerUpPorts(int count) {
        SimConfig config;
        config.ports.clear();
        for (int port = 0; port < count; ++port)
            config.ports.push_back({static_cast<std::uint16_t>(0x378 - 0x100 * port), false});
        powerUp(config);
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
};

TEST(ChipSearchTags, FinishReadsTheWholeFindNumberAndTheSMBusAddress) {
    const std::string blanks(50, ' ');
    EXPECT_EQ(
        PrinterEntryNumber("Found an VSQ5540 at:54h, on printer port:378h" + blanks + "Printer 1"),
        1);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 10"), 10);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 123"), 123);
    EXPECT_EQ(PrinterEntryNumber(""), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer "), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 1a"), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("An VSQ5540 was found at:54h, on the SMBus" + blanks + "SMBus54"),
              std::nullopt);

    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "SMBus54"), 0x54);
    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "SMBus2F"), 0x2F);
    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "Printer 1"), std::nullopt);
    EXPECT_EQ(SMBusEntryAddress("SMBus"), std::nullopt);

    // The list shows the entry without its tag.
    EXPECT_EQ(TaggedItemDelegate::visiblePart(QString::fromStdString(
                  "Found an VSQ5540 at:54h, on printer port:378h" + blanks + "Printer 1")),
              "Found an VSQ5540 at:54h, on printer port:378h");
}

TEST_F(ChipSearchTest, TheCandidatesAreFourAddressesAndAnEmptyFifthSlot) {
    ChipSearch search;
    search.FillCandidates();
    EXPECT_EQ(ChipSearch::CountSlots(search.CandidateAddresses), 5);
    const ChipSearch::Slots expected = {0xA8, 0x5A, 0x5C, 0x5E, std::nullopt};
    EXPECT_EQ(search.CandidateAddresses, expected);
}

struct ProgressCase {
    int ports;
    bool printerPort, smbus, usb;
    int maximum;
    std::vector<int> values;
};

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
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(ChipSearchTest, NoPortGivesNoFind) {
    powerUpPorts(0);
    ChipSearch search;
    search.FillCandidates();
    search.SearchSelectedMedia(true, false, false);
    EXPECT_EQ(search.FoundCount, 0);
    EXPECT_TRUE(search.BuildResultEntries().empty());
}

TEST_F(ChipSearchTest, EachCandidateIsReadOncePerPolarityAndMediumAndTheEmptySlotNever) {
    powerUp({});
    ChipSearch search;
    search.FillCandidates();
    pc().journal().clear();
    search.SearchSelectedMedia(true, true, false);
    const QString bus = QString::fromStdString(pc().journal().text(1));
    for (const char* address : {"A8", "5A", "5C", "5E"})
        EXPECT_EQ(bus.count(QRegularExpression(QString("S %1. 94").arg(address))), 1)
            << bus.toStdString();
    const QString chipset = QString::fromStdString(pc().journal().text(vsq::sim::kChipsetBus));
    for (const char* address : {"A8", "5A", "5C", "5E"})
        EXPECT_EQ(chipset.count(QRegularExpression(QString("S %1[+-]").arg(address))), 1)
            << chipset.toStdString();
    EXPECT_EQ(search.FoundCount, 1);
    EXPECT_EQ(search.SMBusFoundAddresses, std::vector<std::uint8_t>{0x54});
}

} // namespace
} // namespace trelvane
