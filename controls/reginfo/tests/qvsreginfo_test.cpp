// The panel on a headless host, without a bus: members, digits, word format,
// read-only mask, layouts and property bag.

#include "controls/common/basic_error.h"
#include "controls/common/control_host.h"
#include "controls/common/tests/qstring_printer.h"
#include "controls/common/twips.h"
#include "controls/display/strip.h"
#include "controls/reginfo/bit_digit.h"
#include "controls/reginfo/qvsreginfo.h"
#include "controls/reginfo/qvsreginfo_ids.h"
#include "controls/textbox/qvstxt.h"

#include <QCheckBox>
#include <QLabel>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using mirelda::BitDigit;
using mirelda::QVSRegInfo;
using vsq::controls::BasicError;
using vsq::controls::PropertyBag;

namespace {

constexpr std::uint32_t kBlue = 0xC00000;
constexpr std::uint32_t kGrey = 0x808080;

class RegInfoTest : public ::testing::Test {
protected:
    RegInfoTest() {
        host.add(panel, "QVSRegInfo1");
        host.placeNew();
    }

    BitDigit& digit(const QString& name) { return *panel.findChild<BitDigit*>(name); }
    BitDigit& byteDigit(int bit) { return digit(QStringLiteral("bit%1").arg(bit)); }
    BitDigit& wordDigit(int bit) { return digit(QStringLiteral("Bit%1LBL").arg(bit)); }
    QLabel& label(const QString& name) { return *panel.findChild<QLabel*>(name); }
    QWidget& child(const QString& name) { return *panel.findChild<QWidget*>(name); }
    quiltane::QVSTXT& box(const QString& name) { return *panel.findChild<quiltane::QVSTXT*>(name); }
    static int twips(int pixels) { return pixels * 15; }

    QWidget window;
    vsq::controls::ControlHost host{window};
    QVSRegInfo panel{&window};
};

} // namespace

TEST_F(RegInfoTest, ANewPanelReadsBackItsInitialValuesAndStoresOnlyTheBitNamesThatDiffer) {
    EXPECT_TRUE(panel.ExecuteRead());
    EXPECT_TRUE(panel.DisplayGraph());
    EXPECT_FALSE(panel.Flag());
    EXPECT_EQ(panel.ReadOnlyBitMask(), QVariant::fromValue<std::int16_t>(0));
    EXPECT_EQ(panel.ValueHEX(), "0");
    EXPECT_EQ(panel.ValueBIN(), "0");
    EXPECT_EQ(label("bitname(5)").text(), "Bit 5");
    PropertyBag bag;
    panel.writeProperties(bag);
    QStringList keys;
    for (const auto& entry : bag.entries()) {
        keys << entry.key;
        EXPECT_EQ(entry.value.toString(), "Bit 4");
    }
    QStringList expected;
    for (int bit = 0; bit < 16; ++bit) {
        if (bit != 4) {
            expected << QStringLiteral("Bit%1Text").arg(bit);
        }
    }
    EXPECT_EQ(keys, expected); // 15 keys
}

// The numbers hosts bind by: each published one is the number of the member of its name.
TEST_F(RegInfoTest, EachPublishedDispatchNumberIsThatOfTheMemberOfItsName) {
    namespace Id = mirelda::QVSRegInfoId;
    const struct {
        vsq::controls::DispatchId id;
        const char* name;
        std::int32_t number;
    } cases[] = {
        // clang-format off
        {Id::RegisterDetails, "RegisterDetails", 0x68030025},
        {Id::AutoReadTimerInterval, "AutoReadTimerInterval", 0x68030024},
        {Id::HexTxtBoxToolTipText, "HexTxtBoxToolTipText", 0x68030023},
        {Id::DecTxtBoxToolTipText, "DecTxtBoxToolTipText", 0x68030022},
        {Id::AutoReadToolTipText, "AutoReadToolTipText", 0x68030021},
        {Id::UpdateDecHexToolTipText, "UpdateDecHexToolTipText", 0x68030020},
        {Id::ValueHEX, "ValueHEX", 0x6803001F}, {Id::ValueDEC, "ValueDEC", 0x6803001E},
        {Id::ValueBIN, "ValueBIN", 0x6803001D}, {Id::AutoRead, "AutoRead", 0x6803001C},
        {Id::RWValue, "RWValue", 0x6803001B}, {Id::AddressPointer, "AddressPointer", 0x6803001A},
        {Id::ExecuteRead, "ExecuteRead", 0x68030019}, {Id::Flag, "Flag", 0x68030018},
        {Id::Master, "Master", 0x68030017}, {Id::ListQVSMControls, "ListQVSMControls", 0x6003004E},
        {Id::ReadOnlyBitMask, "ReadOnlyBitMask", 0x68030016},
        {Id::ArrangeClump, "ArrangeClump", 0x68030015},
        {Id::DisplayGraph, "DisplayGraph", 0x68030014}, {Id::GraphLogic, "GraphLogic", 0x68030013},
        {Id::BinDigitstoolTipText, "BinDigitstoolTipText", 0x68030012},
        {Id::bitText(0), "Bit0Text", 0x68030011}, {Id::bitText(15), "Bit15Text", 0x68030002},
        {Id::CommunicationsType, "CommunicationsType", 0x68030001},
        {Id::DeviceAddress, "DeviceAddress", 0x68030000},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.id, c.number) << c.name;
        EXPECT_EQ(panel.dispatchIdOf(c.name), c.number) << c.name;
    }
}

TEST_F(RegInfoTest, ANewAddressShowsInHexAndMakesEveryBitWritable) {
    const std::pair<float, const char*> cases[] = {{245, "F5"}, {63488, "F800"}, {3, "3"}};
    for (const auto& [address, shown] : cases) {
        panel.setReadOnlyBitMask(255);
        panel.setAddressPointer(address);
        EXPECT_EQ(label("AddressPointerLbl").text(), shown);
        EXPECT_EQ(panel.ReadOnlyBitMask().toInt(), 0);
        EXPECT_TRUE(byteDigit(7).isEnabled());
    }
}

// An address outside the register spaces, a shape beyond a byte, or a mask
// that is no number, is refused and changes nothing: address, its caption,
// mask, frame.
TEST_F(RegInfoTest, AnAddressShapeOrMaskOutOfRangeIsRefusedUnstored) {
    panel.setCommunicationsType(1);
    panel.setAddressPointer(0x21);
    panel.setReadOnlyBitMask(0xF0);
    const std::pair<const char*, QVariant> cases[] = {
        {"AddressPointer", -1},     {"AddressPointer", 65536},
        {"AddressPointer", 4e9},    {"CommunicationsType", 300},
        {"CommunicationsType", -1}, {"ReadOnlyBitMask", QStringLiteral("abc")}};
    for (const auto& [member, value] : cases) {
        EXPECT_THROW(panel.dispatchPut(member, value), BasicError)
            << member << " " << value.toString().toStdString();
        EXPECT_EQ(panel.AddressPointer(), 0x21);
        EXPECT_EQ(label("AddressPointerLbl").text(), "21");
        EXPECT_EQ(panel.ReadOnlyBitMask().toInt(), 0xF0);
        EXPECT_EQ(panel.CommunicationsType(), 1);
        EXPECT_TRUE(child("F16BitFrame").isVisibleTo(&panel));
    }
}

TEST_F(RegInfoTest, TheTransferShapeChoosesTheFrameAndTheBoxLimits) {
    const struct {
        int type;
        bool word;
        int nibbles;
        int kept;
    } cases[] = {
        {0, false, 2, 0}, {1, true, 4, 1}, {2, false, 2, 2}, {3, false, 2, 3}, {7, false, 2, 0}};
    for (const auto& c : cases) {
        box("DecValueTXT").setText("12");
        panel.dispatchPut("CommunicationsType", c.type);
        EXPECT_EQ(child("F16BitFrame").isVisibleTo(&panel), c.word) << c.type;
        EXPECT_EQ(child("BitTxtframe").isVisibleTo(&panel), !c.word) << c.type;
        EXPECT_EQ(box("DecValueTXT").MaxNibbles(), c.nibbles);
        EXPECT_EQ(box("HexValueTXT").MaxNibbles(), c.nibbles);
        EXPECT_EQ(box("DecValueTXT").Text(), "0");
        EXPECT_EQ(panel.CommunicationsType(), c.kept);
    }
}

TEST_F(RegInfoTest, TheReadOnlyMaskDisablesAndGreysItsDigitsInBothFrames) {
    const struct {
        int mask;
        std::uint16_t readOnly; // bits of the word digits; the byte digits follow the low byte
    } cases[] = {{0x00F0, 0x00F0}, {0xFF00, 0xFF00}, {0, 0}, {-32768, 0x8000}};
    for (const auto& c : cases) {
        panel.setReadOnlyBitMask(c.mask);
        for (int bit = 0; bit < 16; ++bit) {
            const bool readOnly = (c.readOnly >> bit & 1) != 0;
            EXPECT_EQ(wordDigit(bit).isEnabled(), !readOnly) << c.mask << " " << bit;
            EXPECT_EQ(wordDigit(bit).ForeColor(), readOnly ? kGrey : kBlue);
            if (bit < 8) {
                EXPECT_EQ(byteDigit(bit).isEnabled(), !readOnly);
                EXPECT_EQ(byteDigit(bit).ForeColor(), readOnly ? kGrey : kBlue);
            }
        }
    }
}

TEST_F(RegInfoTest, TheFlagTurnsEveryDigitBlueAndItsClearingShowsTheValue) {
    panel.setReadOnlyBitMask(0xFFFF);
    panel.setFlag(true);
    for (int bit = 0; bit < 16; ++bit) {
        EXPECT_EQ(wordDigit(bit).ForeColor(), kBlue);
    }
    panel.setCommunicationsType(1);
    panel.setRWValue(4660);
    panel.setFlag(false);
    QString shown;
    for (int bit = 15; bit >= 0; --bit) {
        shown += wordDigit(bit).text();
    }
    EXPECT_EQ(shown, "0001001000110100");
    EXPECT_EQ(label("HexDECLBL").text(), "Value:4660d,1234h");
}

TEST_F(RegInfoTest, ARequestValueIsKeptToAWord) {
    const std::pair<float, float> cases[] = {
        {-5, 0}, {70000, 65535}, {300, 300}, {65535.5f, 65535}};
    for (const auto& [given, kept] : cases) {
        panel.dispatchPut("RWValue", given);
        EXPECT_EQ(panel.RWValue(), kept) << given;
        panel.setFlag(false); // displays it: must not fail
    }
    EXPECT_EQ(label("HexDECLBL").text(), "Value:65535d,FFFFh");
}

TEST_F(RegInfoTest, EachLayoutSizesThePanelAndPlacesTheChart) {
    const struct {
        bool clump, graph;
        QSize panel;
        QRect details;
        QPoint chart;
        int caption;
    } cases[] = {
        {true, true, {7380, 3780}, {0, 1800, 3015, 1935}, {3120, 1200}, 1575},
        {true, false, {7380, 1905}, {3120, 1080, 4215, 735}, {10000, 10000}, 2895},
        {false, false, {7380, 1905}, {3120, 1080, 4215, 735}, {10000, 10000}, 2895},
        {false, true, {9780, 1920}, {3120, 1080, 4215, 735}, {7440, 0}, 2895},
    };
    for (const auto& c : cases) {
        panel.setArrangeClump(c.clump);
        panel.setDisplayGraph(c.graph);
        panel.resize(100, 100); // the panel snaps back
        EXPECT_EQ(QSize(twips(panel.width()), twips(panel.height())), c.panel)
            << c.clump << c.graph;
        const QRect details = child("RegisterDetailsFrame").geometry();
        EXPECT_EQ(QRect(twips(details.x()), twips(details.y()), twips(details.width()),
                        twips(details.height())),
                  c.details);
        const QWidget& chart = child("SideStrip");
        EXPECT_EQ(chart.pos(), QPoint(vsq::controls::pixelsFromTwips(c.chart.x()),
                                      vsq::controls::pixelsFromTwips(c.chart.y())));
        EXPECT_EQ(twips(label("HexDECLBL").width()), c.caption);
        EXPECT_EQ(child("LogicCHK").isVisibleTo(&panel), c.graph);
    }
    // A hidden chart keeps the size it had.
    EXPECT_EQ(QSize(twips(child("SideStrip").width()), twips(child("SideStrip").height())),
              QSize(2250, 1890));
}

TEST_F(RegInfoTest, ThePropertyBagRoundTripsEveryStoredMember) {
    panel.setCommunicationsType(1);
    panel.setAddressPointer(0x21);
    panel.setReadOnlyBitMask(0xFC00);
    panel.setRWValue(0x2155);
    panel.setRegisterDetails("DAC A");
    panel.setAutoReadTimerInterval(250);
    panel.setMaster("QVSManager1");
    // Neighbouring flags differ, so that a swap shows.
    panel.setAutoRead(true);
    panel.setExecuteRead(false);
    panel.setFlag(true);
    panel.setArrangeClump(true);
    panel.setDisplayGraph(false);
    panel.setGraphLogic(true);
    panel.setBit9Text("D9");
    panel.setHexTxtBoxToolTipText("hex");
    panel.setValueDEC(7);
    panel.setDeviceAddress(80);
    PropertyBag bag;
    panel.writeProperties(bag);

    QWidget otherWindow;
    QVSRegInfo again(&otherWindow);
    again.readProperties(bag);
    for (const auto& member : panel.memberTable().members()) {
        if (member.kind != vsq::controls::MemberKind::Property || member.name == "DeviceAddress") {
            continue;
        }
        EXPECT_TRUE(vsq::controls::basicEquals(again.dispatchGet(member.name),
                                               panel.dispatchGet(member.name)))
            << member.name.toStdString();
    }
    EXPECT_EQ(again.DeviceAddress(), 0); // not stored
    EXPECT_TRUE(again.findChild<QWidget*>("F16BitFrame")->isVisibleTo(&again));
    EXPECT_TRUE(again.findChild<QCheckBox*>("LogicCHK")->isChecked());
}

TEST_F(RegInfoTest, LoadingTakesTheFrameFromTheShapeNotTheStoredWordFormat) {
    const std::pair<int, bool> cases[] = {{0, false}, {1, true}};
    for (const auto& [type, word] : cases) {
        PropertyBag bag;
        bag.append("WordFormat", true);
        bag.append("CommunicationsType", QVariant::fromValue<std::int16_t>(type));
        bag.append("AutoRead", true);
        panel.readProperties(bag);
        EXPECT_EQ(child("F16BitFrame").isVisibleTo(&panel), word);
        EXPECT_TRUE(panel.AutoRead());
        EXPECT_TRUE(child("PlayOption").isEnabled()); // loading starts no timer
    }
}

TEST_F(RegInfoTest, AStoredMaskThatIsNoWholeNumberLoadsAsNoMask) {
    const std::pair<QVariant, QVariant> cases[] = {
        {QVariant::fromValue<std::int16_t>(0xF0), QVariant::fromValue<std::int16_t>(0xF0)},
        {QStringLiteral("bits"), QVariant::fromValue<std::int16_t>(0)},
        {1e12, QVariant::fromValue<std::int16_t>(0)},
    };
    for (const auto& [stored, loaded] : cases) {
        PropertyBag bag;
        bag.append("ReadOnlyBitMask", stored);
        panel.readProperties(bag);
        EXPECT_EQ(panel.ReadOnlyBitMask(), loaded) << stored.toString().toStdString();
    }
}

TEST_F(RegInfoTest, TheChartIsSetUpForTheRegisterWidthAndMode) {
    const struct {
        int type;
        bool logic;
        int traces, width;
        double range;
    } cases[] = {
        {0, false, 1, 2, 255}, {1, false, 1, 2, 65540}, {0, true, 8, 1, 8}, {1, true, 16, 1, 16}};
    auto& strip = static_cast<vsq::display::Strip&>(panel.sideStrip());
    for (const auto& c : cases) {
        panel.setGraphLogic(c.logic);
        panel.setCommunicationsType(static_cast<std::int16_t>(c.type));
        EXPECT_EQ(strip.TraceCount(), c.traces) << c.type << c.logic;
        EXPECT_EQ(strip.TraceWidth(), c.width); // of the last trace set up
        EXPECT_EQ(strip.TraceColor(), 192u);
        EXPECT_EQ(strip.RangeHigh(), c.range);
        EXPECT_EQ(strip.LegendHigh(), c.range);
    }
}
