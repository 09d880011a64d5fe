// One sample appended to a strip chart of 9 traces whose rings hold 1000
// samples each, and the chart repainted offscreen: the board window's chart
// fed every 100 ms and a register panel's chart fed every few milliseconds
// must stay far below their periods. Target: under 50 us per sample.

#include "benchsupport/bench_application.h"
#include "controls/display/strip.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void AppendAndRepaint(benchmark::State& state) {
    vsq::bench::benchApplication();
    vsq::display::Strip chart;
    chart.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    chart.setTraceCount(9);
    chart.setRangeHigh(15);
    chart.setLegendHigh(15);
    for (int t = 0; t < 9; ++t) {
        chart.setLegendIndex(static_cast<std::int16_t>(t));
        chart.setLegendText(QStringLiteral("PDO %1").arg(t + 1));
    }
    for (int i = 0; i < 1000; ++i) {
        for (int t = 0; t < 9; ++t) {
            chart.AddSample(static_cast<std::int16_t>(t), 7 + 6 * std::sin(i * 0.05 + t));
        }
    }
    QImage target(chart.size(), QImage::Format_ARGB32_Premultiplied);
    chart.render(&target); // the cached background is drawn once here
    int i = 0;
    for (auto _ : state) {
        const auto trace = static_cast<std::int16_t>(i % 9);
        chart.AddSample(trace, 7 + 6 * std::sin(i * 0.05 + trace));
        chart.render(&target);
        ++i;
    }
    benchmark::DoNotOptimize(target.constBits());
}

} // namespace

BENCHMARK(AppendAndRepaint)->Args({320, 160})->Args({600, 240})->Unit(benchmark::kMicrosecond);
