#include "controls/reginfo/strip_chart_feed.h"

#include "controls/reginfo/register_value.h"

#include <QVariant>

#include <cstdint>

namespace mirelda {

namespace {

// The chart's members, by dispatch number.
enum ChartMember : vsq::controls::DispatchId {
    kTraceCount = 12,
    kTraceIndex = 13,
    kTraceColour = 14,
    kTraceWidth = 23,
    kScrollBack = 24,
    kRangeHigh = 33,
    kLegendHigh = 64,
    kAddSample = 126,
    kClear = 127,
};

constexpr float kTraceColourCode = 192.0f;
constexpr std::int16_t kValueTraceWidth = 2;
constexpr std::int16_t kLogicTraceWidth = 1;
constexpr std::int16_t kByteRange = 255;
// A word's range sits a little above 65535.
constexpr std::int32_t kWordRange = 65540;

QVariant integer(int value) {
    return QVariant::fromValue(static_cast<std::int16_t>(value));
}

void configureTrace(vsq::controls::Dispatchable& chart, const QVariant& trace, int width) {
    chart.dispatchPut(kTraceIndex, trace);
    chart.dispatchPut(kTraceColour, QVariant::fromValue(kTraceColourCode));
    chart.dispatchPut(kTraceWidth, integer(width));
}

} // namespace

void clearChart(vsq::controls::Dispatchable& chart) {
    chart.dispatchCall(kClear);
    chart.dispatchPut(kScrollBack, integer(0));
}

void setUpChart(vsq::controls::Dispatchable& chart, bool wordRegister, bool logic) {
    clearChart(chart);
    QVariant range;
    if (logic) {
        const int traces = wordRegister ? 16 : 8;
        chart.dispatchPut(kTraceCount, integer(traces));
        for (int trace = 0; trace < traces; ++trace) {
            configureTrace(chart, QVariant::fromValue(static_cast<std::uint8_t>(trace)),
                           kLogicTraceWidth);
        }
        range = integer(traces);
    } else {
        chart.dispatchPut(kTraceCount, integer(1));
        configureTrace(chart, integer(0), kValueTraceWidth);
        range = wordRegister ? QVariant::fromValue(kWordRange) : integer(kByteRange);
    }
    chart.dispatchPut(kRangeHigh, range);
    chart.dispatchPut(kLegendHigh, range);
}

void feedChart(vsq::controls::Dispatchable& chart, float value, bool wordRegister, bool logic) {
    if (!logic) {
        chart.dispatchCall(kAddSample, {integer(0), static_cast<double>(value)});
        return;
    }
    for (const auto& [trace, level] : logicSamples(value, wordRegister)) {
        chart.dispatchCall(kAddSample, {QVariant::fromValue(trace), level});
    }
}

} // namespace mirelda
