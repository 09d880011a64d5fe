#include "controls/common/basic_error.h"
#include "controls/textbox/number_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiltane;

namespace {

// A text of repeated digits: u16(8, u'1').
using u16 = std::u16string;

std::string narrow(const std::u16string& text) {
    return {text.begin(), text.end()};
}

// The host's side, recorded: the text box without a widget.
class FakeHost : public NumberEntryHost {
public:
    FakeHost(tNumberBase base, std::uint8_t nibbles, std::u16string text = u"")
        : base(base), nibbles(nibbles), text(std::move(text)) {}

    tNumberBase numberBase() const override { return base; }
    std::uint8_t maxNibbles() const override { return nibbles; }
    std::u16string entryText() const override { return text; }
    void setEntryText(const std::u16string& t) override { text = t; }
    void commit() override { commits.push_back(text); }
    void reportError(int number, const std::u16string& description) override {
        errors.push_back(std::to_string(number) + " " + narrow(description));
    }

    tNumberBase base;
    std::uint8_t nibbles;
    std::u16string text;
    std::vector<std::u16string> commits;
    std::vector<std::string> errors;
};

constexpr tNumberBase kBases[] = {AnyCharacter0, Binary1, Decimal2, Oct3, Hex4};

} // namespace

TEST(NumberEntry, ValueWritesInEveryBase) {
    const struct {
        double value;
        std::uint8_t nibbles;
        std::u16string texts[5]; // AnyCharacter0, Binary1, Decimal2, Oct3, Hex4
    } cases[] = {
        {5, 2, {u"keep", u"00000101", u"5", u"5", u"05"}},
        {300, 2, {u"keep", u"11111111", u"255", u"377", u"FF"}},
        {-5, 2, {u"keep", u"00000000", u"-5", u"37777777773", u"FFFFFFFB"}},
        {5, 4, {u"keep", u"0000000000000101", u"5", u"5", u"0005"}},
        {0, 1, {u"keep", u"0000", u"0", u"0", u"0"}},
        // clang-format off
        {4294967296.0, 10,
         {u"keep", u"0000000100000000000000000000000000000000", u"4294967296", u"", u"0100000000"}},
        // A fraction in binary is rounded first (halves to even).
        {4.5, 2, {u"keep", u"00000100", u"4.5", u"4", u"04"}},
        // From 14 nibbles on the limit is written as all ones / all F.
        {1e300, 14, {u"keep", u16(56, u'1'), u"7.20575940379279E+16", u"", u16(14, u'F')}},
        {1e300, 16, {u"keep", u16(64, u'1'), u"1.84467440737096E+19", u"", u16(16, u'F')}},
        // clang-format on
    };
    for (const auto& c : cases) {
        for (int b = 0; b < 5; ++b) {
            FakeHost host(kBases[b], c.nibbles, u"keep");
            NumberEntry entry(host);
            entry.writeValue(c.value);
            EXPECT_EQ(host.text, c.texts[b]) << c.value << " in base " << b;
        }
    }
}

TEST(NumberEntry, ValueWriteFailuresAreReported) {
    // The octal converter reports its own failure and the write goes on.
    FakeHost octal(Oct3, 10, u"7");
    EXPECT_TRUE(NumberEntry(octal).writeValue(4294967296.0));
    EXPECT_EQ(octal.errors, std::vector<std::string>{"6 ConvertDecToOct: Overflow"});
    EXPECT_EQ(octal.text, u"");

    FakeHost hex(Hex4, 2, u"7");
    EXPECT_FALSE(NumberEntry(hex).writeValue(-3e9));
    EXPECT_EQ(hex.errors, std::vector<std::string>{"6 LetVal: Overflow"});
    EXPECT_EQ(hex.text, u"7");
}

TEST(NumberEntry, ValueReadsInEveryBase) {
    const struct {
        tNumberBase base;
        std::u16string text;
        double value;
    } cases[] = {
        // clang-format off
        {AnyCharacter0, u"123", 0}, {Binary1, u"101", 5}, {Decimal2, u" 255", 255},
        {Decimal2, u"12abc", 12}, {Oct3, u"17", 15}, {Hex4, u"FF", 255},
        {Binary1, u"", 0}, {Decimal2, u"", 0}, {Oct3, u"", 0}, {Hex4, u"", 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeHost host(c.base, 2, c.text);
        EXPECT_EQ(NumberEntry(host).readValue(), c.value) << narrow(c.text);
        EXPECT_TRUE(host.errors.empty());
    }
    FakeHost tooLong(Hex4, 2, u16(300, u'1'));
    EXPECT_EQ(NumberEntry(tooLong).readValue(), 0);
    EXPECT_EQ(tooLong.errors, std::vector<std::string>{"6 GetVal: Overflow"});
}

TEST(NumberEntry, LimitCheckAfterAKeyRelease) {
    const struct {
        tNumberBase base;
        std::uint8_t nibbles;
        std::u16string text;
        std::u16string after;
        const char* report; // nullptr for none
    } cases[] = {
        // clang-format off
        {Decimal2, 2, u"255", u"255", nullptr}, {Decimal2, 2, u"256", u" 255", "1 Overflow"},
        {Decimal2, 0, u"1", u" 0", "1 Overflow"},
        {Decimal2, 2, u"1" + u16(400, u'0'), u" 255", "1 Overflow"},
        {Hex4, 2, u"FF", u"FF", nullptr}, {Hex4, 2, u"FFF", u"FF", "1 Overflow"},
        {Hex4, 2, u"00FF", u"00FF", nullptr},
        {Hex4, 16, u"1" + u16(16, u'0'), u"1" + u16(15, u'0'), "1 Overflow"},
        // An over-long pasted text is reported and cut, never left to fail.
        {Hex4, 2, u16(300, u'0'), u"00", "6 Overflow"},
        {Oct3, 2, u"377", u"377", nullptr}, {Oct3, 2, u"3777", u"377", "1 Overflow"},
        // Cutting to the digit count is not enough: 777 is 511.
        {Oct3, 2, u"777", u"77", "1 Overflow"}, {Oct3, 1, u"20", u"2", "1 Overflow"},
        {Binary1, 2, u"11111111", u"011111111", nullptr},
        {Binary1, 2, u"111111111", u"011111111", "1 Overflow"},
        {Binary1, 2, u"", u"000000000", nullptr},
        // At 16 nibbles typing keeps its digits.
        {Binary1, 16, u"0" + u16(63, u'0') + u"1", u16(64, u'0') + u"1", nullptr},
        {AnyCharacter0, 2, u"xyz", u"xyz", nullptr},
        {static_cast<tNumberBase>(9), 2, u"xyz", u"xyz", nullptr},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeHost host(c.base, c.nibbles, c.text);
        NumberEntry(host).checkLimit();
        EXPECT_EQ(host.text, c.after) << narrow(c.text.substr(0, 20));
        EXPECT_EQ(host.errors,
                  c.report ? std::vector<std::string>{c.report} : std::vector<std::string>{})
            << narrow(c.text.substr(0, 20));
    }
}

TEST(NumberEntry, BaseChanges) {
    const struct {
        tNumberBase from, to;
        std::uint8_t nibbles;
        std::u16string text, after;
    } cases[] = {
        // clang-format off
        {Hex4, Binary1, 4, u"FFFF", u16(16, u'1')}, {Decimal2, Hex4, 2, u"255", u"FF"},
        {Decimal2, Hex4, 2, u"300", u"12C"}, {Decimal2, Oct3, 2, u"255", u"377"},
        {Decimal2, Binary1, 2, u"5", u"00000101"}, {AnyCharacter0, Hex4, 4, u"abc", u"0000"},
        {AnyCharacter0, Decimal2, 4, u"abc", u""}, {Binary1, Decimal2, 2, u"101", u" 5"},
        {Oct3, Hex4, 2, u"17", u"0F"}, {Hex4, Oct3, 2, u"FF", u"377"},
        {Hex4, Hex4, 4, u"F", u"000F"}, {Binary1, AnyCharacter0, 2, u"101", u"101"},
        {static_cast<tNumberBase>(7), Hex4, 2, u"1", u"01"},
        // An empty text converts as 0 and is padded to the new base's width.
        {Hex4, Binary1, 2, u"", u"00000000"}, {AnyCharacter0, Hex4, 4, u"", u"0000"},
        {AnyCharacter0, Binary1, 2, u"", u"00000000"}, {Hex4, Hex4, 2, u"", u"00"},
        {Binary1, Decimal2, 2, u"", u" 0"}, {Hex4, Oct3, 2, u"", u"0"},
        {Decimal2, Binary1, 2, u"", u"00000000"},
        // Decimal to octal or hexadecimal reads strictly, but an empty field is 0.
        {Decimal2, Hex4, 2, u"", u"00"}, {Decimal2, Oct3, 2, u"", u"0"},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeHost host(c.from, c.nibbles, c.text);
        EXPECT_NO_THROW(NumberEntry(host).changeBase(c.from, c.to)) << narrow(c.text);
        EXPECT_EQ(host.text, c.after) << narrow(c.text) << " " << int(c.from) << ">" << int(c.to);
        EXPECT_TRUE(host.errors.empty());
    }
    FakeHost notANumber(Decimal2, 2, u"12a");
    try {
        NumberEntry(notANumber).changeBase(Decimal2, Oct3);
        FAIL() << "no failure";
    } catch (const vsq::controls::BasicError& error) {
        EXPECT_EQ(error.number(), 13);
    }
    EXPECT_EQ(notANumber.text, u"12a");
}

TEST(NumberEntry, KeyAndTextFilters) {
    const struct {
        tNumberBase base;
        std::u16string typed, kept;
    } cases[] = {
        // clang-format off
        {AnyCharacter0, u"aZ9-\u00e9", u"aZ9-\u00e9"}, {Binary1, u"0123ab", u"01"},
        {Decimal2, u" -12.5e3", u"1253"}, {Oct3, u"0789", u"07"}, {Hex4, u"09afAFgG ", u"09AFAF"},
        {static_cast<tNumberBase>(5), u"0123", u""},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeHost host(c.base, 2);
        NumberEntry entry(host);
        EXPECT_EQ(entry.FilterText(c.typed), c.kept) << narrow(c.typed);
        for (const int control : {8, 127}) {
            EXPECT_EQ(entry.FilterKey(control), control);
        }
        EXPECT_TRUE(host.commits.empty());
    }
    // Enter commits with the text as it stands; it is kept in free text only.
    FakeHost hex(Hex4, 2, u"AB");
    EXPECT_EQ(NumberEntry(hex).FilterKey(13), 0);
    EXPECT_EQ(hex.commits, std::vector<std::u16string>{u"AB"});
    FakeHost free(AnyCharacter0, 2, u"x");
    EXPECT_EQ(NumberEntry(free).FilterText(u"a\rb"), u"a\rb");
    EXPECT_EQ(free.commits.size(), 2u);
    FakeHost decimal(Decimal2, 2);
    EXPECT_EQ(NumberEntry(decimal).FilterText(u"1\r\r2"), u"12");
    EXPECT_EQ(decimal.commits.size(), 2u);
}
