#include "controls/common/basic_error.h"
#include "controls/common/tests/failure_number.h"
#include "controls/textbox/base_converters.h"
#include "controls/textbox/number_base.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace quiltane;
using vsq::controls::failureNumberOf;

namespace {

std::string narrow(const std::u16string& text) {
    return {text.begin(), text.end()};
}

} // namespace

TEST(BaseConverters, ReadingTextsInEachBase) {
    EXPECT_EQ(binaryTextValue(u"101"), 5);
    EXPECT_EQ(binaryTextValue(u"2x1"), 9); // a decimal digit counts its own value
    EXPECT_EQ(binaryTextValue(u""), 0);
    EXPECT_EQ(octalTextValue(u"17"), 15);
    EXPECT_EQ(octalTextValue(u"9"), 9);
    EXPECT_EQ(ConvertHexStrToDec(u"fF"), 255);
    EXPECT_EQ(ConvertHexStrToDec(u"G1"), 1);
    EXPECT_EQ(ConvertHexStrToDec(std::u16string(17, u'F')), 1.84467440737096e19);
    EXPECT_EQ(ConvertHexStrToDec(std::u16string(255, u'F')), 1.84467440737096e19);
    EXPECT_EQ(failureNumberOf([] { ConvertHexStrToDec(std::u16string(256, u'0')); }), 6);
    EXPECT_EQ(failureNumberOf([] { binaryTextValue(std::u16string(32768, u'0')); }), 6);
    EXPECT_EQ(failureNumberOf([] { binaryTextValue(std::u16string(1025, u'0')); }), 6);
    EXPECT_EQ(failureNumberOf([] { octalTextValue(std::u16string(343, u'1')); }), 6);
}

TEST(BaseConverters, WideAndWorksInSixteenBitGroups) {
    const struct {
        double a, b, result;
    } cases[] = {
        // clang-format off
        {255, 15, 15}, {std::ldexp(1.0, 50) + 5, 7, 5},
        {std::ldexp(1.0, 70) + 3, std::ldexp(1.0, 70), std::ldexp(1.0, 70)},
        {-5, 1, 1}, {-5, 4, 0}, {4.5, 4, 4}, {5.5, 2, 2},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WideAnd(c.a, c.b), c.result) << c.a << " AND " << c.b;
    }
    EXPECT_EQ(failureNumberOf([] { WideAnd(std::ldexp(1.0, 79), 1); }), 6);
    EXPECT_EQ(failureNumberOf([] { WideAnd(NAN, 1); }), 6);
}

TEST(BaseConverters, BinaryDigitsRoundFirstAndEnd) {
    EXPECT_EQ(binaryDigits(5), u"101");
    EXPECT_EQ(binaryDigits(0), u"");
    EXPECT_EQ(binaryDigits(-5), u"");
    // A fraction below its nearest whole number once looped towards 2^79.
    EXPECT_EQ(binaryDigits(4.5), u"100");
    EXPECT_EQ(binaryDigits(4.4), u"100");
    EXPECT_EQ(binaryDigits(5.5), u"110");
    EXPECT_EQ(binaryDigits(std::ldexp(1.0, 64)), u"1" + std::u16string(64, u'0'));
    EXPECT_EQ(failureNumberOf([] { binaryDigits(std::ldexp(1.0, 80)); }), 6);
    EXPECT_EQ(failureNumberOf([] { binaryDigits(INFINITY); }), 6);
}

TEST(BaseConverters, FixedWidthTextsOfTheLimit) {
    EXPECT_EQ(ConvertDecToBin(5, 2), u"000000101");
    EXPECT_EQ(ConvertDecToBin(-1, 1), u"11111");
    EXPECT_EQ(ConvertDecToHexStr(300, 2), u"12C");
    EXPECT_EQ(ConvertDecToHexStr(255, 2), u"FF");
    EXPECT_EQ(ConvertDecToHexStr(0, 2), u"");
    EXPECT_EQ(ConvertDecToHexStr(65535, 4), u"FFFF");
    const struct {
        double value;
        unsigned nibbles;
        std::u16string text;
    } hexTexts[] = {
        // clang-format off
        {5, 4, u"0005"}, {255, 2, u"FF"}, {-5, 2, u"FFFFFFFB"}, {4294967296.0, 10, u"100000000"},
        {std::ldexp(1.0, 40) + 0xABCD, 12, u"1000000ABCD"}, {limitValue(13), 13, u"FFFFFFFFFFFFF"},
        // From 14 nibbles on the limit is 2^(4n) as a float: written as all F.
        {limitValue(14), 14, std::u16string(14, u'F')},
        {limitValue(16), 16, std::u16string(16, u'F')},
        // clang-format on
    };
    for (const auto& c : hexTexts) {
        EXPECT_EQ(ConvertDecToHexText(c.value, c.nibbles), c.text) << c.value;
    }
}

TEST(BaseConverters, ExactLimitChecks) {
    const struct {
        std::u16string text;
        unsigned nibbles;
        bool overflow;
        std::u16string limited;
    } binaries[] = {
        // clang-format off
        {u"011111111", 2, false, u"011111111"}, {u"111111111", 2, true, u"011111111"},
        {u"100000000", 2, true, u"000000000"}, {u"1", 0, true, u"0"},
        {u"0" + std::u16string(64, u'1'), 16, false, u"0" + std::u16string(64, u'1')},
        {u"1" + std::u16string(64, u'0'), 16, true, std::u16string(65, u'0')},
        {std::u16string(100, u'1'), 2, true, u"011111111"},
        {u"0" + std::u16string(55, u'0') + u"1", 14, false, std::u16string(56, u'0') + u"1"},
        // clang-format on
    };
    for (const auto& c : binaries) {
        const LimitedText limited = limitBinaryText(c.text, c.nibbles);
        EXPECT_EQ(limited.overflow, c.overflow) << narrow(c.text);
        EXPECT_EQ(limited.text, c.limited) << narrow(c.text);
    }
    EXPECT_FALSE(hexTextExceeds(u"00FF", 2));
    EXPECT_TRUE(hexTextExceeds(u"FFF", 2));
    EXPECT_TRUE(hexTextExceeds(u"1" + std::u16string(16, u'0'), 16));
    EXPECT_FALSE(hexTextExceeds(std::u16string(16, u'F'), 16));
    EXPECT_FALSE(hexTextExceeds(u"", 0));
}

TEST(BaseConverters, LimitsAboveSixteenNibblesActAsSixteen) {
    const std::u16string seventeenFs(17, u'F');
    const std::u16string sixtyFiveOnes(65, u'1');
    for (unsigned nibbles : {17u, 40u, 255u}) {
        SCOPED_TRACE(nibbles);
        EXPECT_EQ(narrow(ConvertDecToBin(5, nibbles)), std::string(62, '0') + "101");
        EXPECT_EQ(narrow(ConvertDecToHexText(255, nibbles)), std::string(14, '0') + "FF");
        EXPECT_EQ(narrow(ConvertDecToHexStr(255, nibbles)), "FF");
        EXPECT_TRUE(hexTextExceeds(seventeenFs, nibbles));
        EXPECT_FALSE(hexTextExceeds(seventeenFs.substr(1), nibbles));
        const LimitedText limited = limitBinaryText(sixtyFiveOnes, nibbles);
        EXPECT_TRUE(limited.overflow);
        EXPECT_EQ(limited.text.size(), 65u) << "4n + 1 digits, n = 16";
    }
}
