// The register value arithmetic.

#include "controls/common/tests/qstring_printer.h"
#include "controls/reginfo/register_value.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace mirelda;

// The caption takes the user's decimal separator: here a point, whatever the
// machine's own locale.
TEST(RegisterValue, TheCaptionGivesDecimalAndHexadecimal) {
    const QLocale before;
    QLocale::setDefault(QLocale::c());
    const std::pair<float, const char*> cases[] = {
        {165, "Value:165d,A5h"},   {4660, "Value:4660d,1234h"}, {0, "Value:0d,0h"},
        {12.5f, "Value:12.5d,Ch"}, {13.5f, "Value:13.5d,Eh"},   {65535, "Value:65535d,FFFFh"},
    };
    for (const auto& [value, caption] : cases) {
        EXPECT_EQ(valueCaption(value).toStdString(), caption) << value;
    }
    QLocale::setDefault(before);
}

TEST(RegisterValue, AnEntryKeepsTheReadOnlyBitsOfTheLastValue) {
    const struct {
        double entry;
        std::int32_t mask;
        double last;
        bool word;
        std::int32_t written;
    } cases[] = {
        {0x01, 0x80, 0x80, false, 0x81},        {0x01, 0, 0x80, false, 0x01},
        {0x1234, 0x00FF, 0xABCD, true, 0x12CD}, {0x33, 0xFF, 0x5A, false, 0x5A},
        {0xFFFF, 0xFC00, 0x2155, true, 0x23FF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(maskedEntry(c.entry, c.mask, c.last, c.word), c.written) << c.entry;
    }
}

TEST(RegisterValue, BitFifteenOfAMaskIsTheSixteenBitSignBit) {
    const std::int32_t masks[] = {0x8000, -32768, -256};
    for (std::int32_t mask : masks) {
        EXPECT_TRUE(isReadOnlyBit(mask, 15)) << mask;
    }
    EXPECT_FALSE(isReadOnlyBit(0x7FFF, 15));
    EXPECT_TRUE(isReadOnlyBit(0x00F0, 4));
    EXPECT_FALSE(isReadOnlyBit(0x00F0, 3));
}
