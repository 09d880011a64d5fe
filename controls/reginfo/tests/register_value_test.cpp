// The register value arithmetic and the calls that feed the strip chart.

#include "controls/common/member_table.h"
#include "controls/reginfo/register_value.h"
#include "controls/reginfo/strip_chart_feed.h"
#include "controls/reginfo/tests/qstring_printer.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mirelda;

TEST(RegisterValue, TheCaptionGivesDecimalAndHexadecimal) {
    const std::pair<float, const char*> cases[] = {
        {165, "Value:165d,A5h"},   {4660, "Value:4660d,1234h"}, {0, "Value:0d,0h"},
        {12.5f, "Value:12.5d,Ch"}, {13.5f, "Value:13.5d,Eh"},   {65535, "Value:65535d,FFFFh"},
    };
    for (const auto& [value, caption] : cases) {
        EXPECT_EQ(valueCaption(value).toStdString(), caption) << value;
    }
}

TEST(RegisterValue, AnEntryKeepsTheReadOnlyBitsOfTheLastValue) {
    struct Case {
        double entry;
        std::int32_t mask;
        double last;
        bool word;
        std::int32_t written;
    };
    const Case cases[] = {
        {0x01, 0x80, 0x80, false, 0x81},        {0x01, 0, 0x80, false, 0x01},
        {0x1234, 0x00FF, 0xABCD, true, 0x12CD}, {0x33, 0xFF, 0x5A, false, 0x5A},
        {0xFFFF, 0xFC00, 0x2155, true, 0x23FF},
    };
    for (const Case& c : cases) {
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

TEST(RegisterValue, RequestValuesAndAddressesKeepTheirRange) {
    const std::pair<float, float> values[] = {
        {-5, 0}, {70000, 65535}, {12.5f, 12.5f}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& [given, kept] : values) {
        EXPECT_EQ(clampRegisterValue(given), kept) << given;
    }
    const std::pair<double, bool> addresses[] = {{0, true},      {65535, true}, {-1, false},
                                                 {65536, false}, {1e10, false}, {NAN, false}};
    for (const auto& [address, valid] : addresses) {
        EXPECT_EQ(isValidAddressPointer(address), valid) << address;
    }
}

// ---- The chart feed ----

namespace {

// Records each call it receives as "number:type value,..." text.
class RecordingChart : public vsq::controls::Dispatchable {
public:
    const vsq::controls::MemberTable& memberTable() const override {
        static const vsq::controls::MemberTable table{property(12), property(13), property(14),
                                                      property(23), property(24), property(33),
                                                      property(64), method(126),  method(127)};
        return table;
    }
    QStringList calls;

private:
    static vsq::controls::Member property(int id) {
        return {QString::number(id),
                id,
                vsq::controls::MemberKind::Property,
                {},
                [id](Dispatchable& self, const QVariant& value) {
                    static_cast<RecordingChart&>(self).record(id, {value});
                },
                {}};
    }
    static vsq::controls::Member method(int id) {
        return {QString::number(id),
                id,
                vsq::controls::MemberKind::Method,
                {},
                {},
                [id](Dispatchable& self, const QVariantList& args) {
                    static_cast<RecordingChart&>(self).record(id, args);
                    return QVariant();
                }};
    }
    void record(int id, const QVariantList& args) {
        QStringList parts;
        for (const QVariant& arg : args) {
            parts << QStringLiteral("%1 %2").arg(arg.typeName(), QString::number(arg.toDouble()));
        }
        calls << QStringLiteral("%1:%2").arg(id).arg(parts.join(','));
    }
};

QString traces(int count, const char* traceType) {
    QStringList calls;
    for (int trace = 0; trace < count; ++trace) {
        calls << QStringLiteral("13:%1 %2").arg(traceType).arg(trace) << "14:float 192"
              << "23:short 1";
    }
    return calls.join(' ');
}

} // namespace

TEST(StripChartFeed, ASetUpClearsThenConfiguresTracesAndRange) {
    const QString clear = "127: 24:short 0";
    struct Case {
        bool word, logic;
        QString calls;
    };
    const Case cases[] = {
        {false, false,
         clear + " 12:short 1 13:short 0 14:float 192 23:short 2 33:short 255 64:short 255"},
        {true, false,
         clear + " 12:short 1 13:short 0 14:float 192 23:short 2 33:int 65540 64:int 65540"},
        {false, true, clear + " 12:short 8 " + traces(8, "uchar") + " 33:short 8 64:short 8"},
        {true, true, clear + " 12:short 16 " + traces(16, "uchar") + " 33:short 16 64:short 16"},
    };
    for (const Case& c : cases) {
        RecordingChart chart;
        setUpChart(chart, c.word, c.logic);
        EXPECT_EQ(chart.calls.join(' ').toStdString(), c.calls.toStdString()) << c.word << c.logic;
    }
}

TEST(StripChartFeed, ASampleFeedsEveryTraceOfTheMode) {
    struct Case {
        float value;
        bool word, logic;
        std::vector<std::pair<int, double>> samples;
    };
    const Case cases[] = {
        {200, false, false, {{0, 200}}},
        {12.5f, false, false, {{0, 12.5}}},
        {165,
         false,
         true,
         {{7, 7.9}, {6, 6.1}, {5, 5.9}, {4, 4.1}, {3, 3.1}, {2, 2.9}, {1, 1.1}, {0, 0.9}}},
        {32769,
         true,
         true,
         {{15, 15.9},
          {14, 14.1},
          {13, 13.1},
          {12, 12.1},
          {11, 11.1},
          {10, 10.1},
          {9, 9.1},
          {8, 8.1},
          {7, 7.1},
          {6, 6.1},
          {5, 5.1},
          {4, 4.1},
          {3, 3.1},
          {2, 2.1},
          {1, 1.1},
          {0, 0.9}}},
    };
    for (const Case& c : cases) {
        RecordingChart chart;
        feedChart(chart, c.value, c.word, c.logic);
        ASSERT_EQ(chart.calls.size(), static_cast<qsizetype>(c.samples.size())) << c.value;
        for (std::size_t i = 0; i < c.samples.size(); ++i) {
            const QStringList call = chart.calls[static_cast<qsizetype>(i)].mid(4).split(',');
            EXPECT_EQ(call[0], QStringLiteral("short %1").arg(c.samples[i].first));
            EXPECT_DOUBLE_EQ(call[1].mid(7).toDouble(), c.samples[i].second);
        }
    }
}
