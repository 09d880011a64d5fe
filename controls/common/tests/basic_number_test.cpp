#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"
#include "controls/common/tests/failure_number.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vsq::controls;

TEST(BasicNumber, RoundsHalvesToEven) {
    const struct {
        double in, out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {4.4, 4}, {4.6, 5}, {-0.4, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
    }
}

TEST(BasicNumber, WholeConversionsCheckTheirRange) {
    EXPECT_EQ(toByte(255.4), 255);
    EXPECT_EQ(toByte(-0.5), 0);
    EXPECT_EQ(failureNumberOf([] { toByte(255.5); }), 6);
    EXPECT_EQ(failureNumberOf([] { toByte(-1); }), 6);
    EXPECT_EQ(toInteger(-32768), -32768);
    EXPECT_EQ(failureNumberOf([] { toInteger(32767.5); }), 6);
    EXPECT_EQ(toLong(2147483647), 2147483647);
    EXPECT_EQ(failureNumberOf([] { toLong(2147483648.0); }), 6);
    EXPECT_EQ(failureNumberOf([] { toLong(NAN); }), 6);
    EXPECT_EQ(toUnsignedLong(-1), 0xFFFFFFFFu);
    EXPECT_EQ(toUnsignedLong(2147483653.0), 0x80000005u);
    EXPECT_EQ(failureNumberOf([] { toUnsignedLong(4294967296.0); }), 6);
    EXPECT_EQ(failureNumberOf([] { toSingle(1e39); }), 6);
}

TEST(BasicNumber, LenientReadingTakesWhatFormsANumber) {
    const struct {
        std::u16string text;
        double value;
    } cases[] = {
        {u"", 0},       {u"abc", 0},     {u" 255", 255},  {u"1 2\t3\n4", 1234}, {u"-5", -5},
        {u"12abc", 12}, {u"1.5e2", 150}, {u"2D3", 2000},  {u"7e", 7},           {u"1.2.3", 1.2},
        {u".5", 0.5},   {u"-", 0},       {u"&HF", 15},    {u"&hb", 11},         {u"&HG", 0},
        {u"&H", 0},     {u"&O17", 15},   {u"&HFFFF", -1}, {u"&H10000", 65536},  {u"&HFFFFFFFF", -1},
        {u"9", 9},      {u"x", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lenientNumber(c.text), c.value) << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_EQ(failureNumberOf([] { lenientNumber(u"1e400"); }), 6);
    EXPECT_EQ(failureNumberOf([] { lenientNumber(u"&H100000000"); }), 6);
}

TEST(BasicNumber, StrictReadingWantsTheWholeText) {
    EXPECT_EQ(strictNumber(u" 255 "), 255);
    EXPECT_EQ(strictNumber(u"-1.5E+1"), -15);
    EXPECT_EQ(strictNumber(u"&HFF"), 255);
    EXPECT_EQ(strictNumber(u"5."), 5);
    for (const std::u16string text : {u"", u"  ", u"12a", u"1 2", u"&H", u"&HFG", u"-", u"12E"}) {
        EXPECT_EQ(failureNumberOf([&] { strictNumber(text); }), 13)
            << std::string(text.begin(), text.end());
    }
    EXPECT_EQ(failureNumberOf([] { strictNumber(u"1e999"); }), 6);
}

TEST(BasicNumber, GeneralFormatKeepsFifteenDigits) {
    const struct {
        double value;
        std::u16string text, signedText;
    } cases[] = {
        // clang-format off
        {0, u"0", u" 0"}, {255, u"255", u" 255"}, {-5, u"-5", u"-5"}, {0.5, u"0.5", u" 0.5"},
        {999999999999999, u"999999999999999", u" 999999999999999"},
        {1e15, u"1E+15", u" 1E+15"},
        {4503599627370495, u"4.5035996273705E+15", u" 4.5035996273705E+15"},
        {18446744073709551615.0, u"1.84467440737096E+19", u" 1.84467440737096E+19"},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(generalFormat(c.value), c.text) << c.value;
        EXPECT_EQ(signedGeneralFormat(c.value), c.signedText) << c.value;
    }
}

TEST(BasicNumber, HexAndOctalTextsOfA32BitWholeNumber) {
    EXPECT_EQ(hexText(255), u"FF");
    EXPECT_EQ(hexText(0), u"0");
    EXPECT_EQ(hexText(-5), u"FFFFFFFB");
    EXPECT_EQ(hexText(10.5), u"A");
    EXPECT_EQ(octalText(255), u"377");
    EXPECT_EQ(octalText(-5), u"37777777773");
    EXPECT_EQ(failureNumberOf([] { hexText(2147483648.0); }), 6);
    EXPECT_EQ(failureNumberOf([] { octalText(-2147483649.0); }), 6);
}
