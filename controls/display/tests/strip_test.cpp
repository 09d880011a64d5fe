#include "controls/display/strip.h"
#include "controls/display/tests/display_test_support.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <cmath>

using vsq::display::Strip;

namespace {

QImage picture(Strip& chart) {
    QImage image(chart.size(), QImage::Format_RGB32);
    chart.render(&image);
    return image;
}

std::vector<double> kept(const Strip& chart, int trace) {
    std::vector<double> values;
    for (std::size_t i = 0; i < chart.trace(trace).size(); ++i) {
        values.push_back(chart.trace(trace).at(i));
    }
    return values;
}

// Counts the paints of the widget it watches.
struct PaintCount : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

} // namespace

TEST(Strip, SamplesFasterThanTheScreenRepaintsAreShownOnceAFrame) {
    Strip chart;
    chart.resize(200, 100);
    chart.show();
    PaintCount count;
    chart.installEventFilter(&count);
    QTest::qWait(50);
    const int before = count.paints;
    for (int i = 0; i < 50; ++i) {
        chart.AddSample(0, i);
        QCoreApplication::processEvents();
    }
    EXPECT_LT(count.paints - before, 10); // one a sample before
    const int duringFeed = count.paints;
    QTest::qWait(100);
    EXPECT_EQ(count.paints - duringFeed, 1); // the last samples shown all at once
}

TEST(Strip, EveryMemberByItsDispatchNumber) {
    Strip chart;
    const QString legend = QStringLiteral("PDO 4");
    // The colour (14) is written as a Single, as the register panel passes it.
    expectMembers(chart, {{12, 9, std::int16_t{9}}, {13, 8, std::int16_t{8}}, {14, 192.0f, 192u}});
    expectMembers(chart, {{23, 2, std::int16_t{2}}, {33, 65540, 65540.0}, {64, 65540, 65540.0}});
    expectMembers(chart, {{58, 3, std::int16_t{3}}, {56, 0x008000, 0x008000u}, {200, -1, -1.0}});
    expectMembers(chart, {{201, -1, -1.0}, {202, legend, legend}, {203, 50, 50}});
    expectMembers(chart, {{204, 3, std::int16_t{3}}, {24, 0, 0}});
}

TEST(Strip, SettingsOutsideTheirRangesFail) {
    Strip chart;
    const std::function<void()> calls[] = {
        [&] { chart.setTraceCount(0); },          [&] { chart.setTraceCount(33); },
        [&] { chart.setTraceIndex(32); },         [&] { chart.setLegendIndex(-1); },
        [&] { chart.setTraceWidth(9); },          [&] { chart.setCapacity(1); },
        [&] { chart.setCapacity(100001); },       [&] { chart.setSampleSpacing(0); },
        [&] { chart.setTraceColor(0x7F000000); },
    };
    for (const auto& call : calls) {
        EXPECT_EQ(failureOf(call), 380);
    }
}

TEST(Strip, SamplesGoToTheirTraceIntoABoundedRingAndClearDropsThem) {
    Strip chart;
    chart.setTraceCount(2);
    chart.setCapacity(4);
    for (int i = 1; i <= 6; ++i) {
        chart.dispatchCall(126, {std::int16_t{1}, i * 1.5});
    }
    chart.dispatchCall(126, {0, 7.9});
    EXPECT_EQ(kept(chart, 1), (std::vector<double>{4.5, 6, 7.5, 9}));
    EXPECT_EQ(kept(chart, 0), (std::vector<double>{7.9}));
    EXPECT_EQ(failureOf([&] { chart.dispatchCall(126, {2, 1.0}); }), 5);
    EXPECT_EQ(failureOf([&] { chart.dispatchCall(126, {-1, 1.0}); }), 5);

    chart.setScrollBack(100); // kept within what is stored
    EXPECT_EQ(chart.ScrollBack(), 3);
    chart.dispatchCall(127);
    EXPECT_TRUE(chart.trace(0).empty());
    EXPECT_TRUE(chart.trace(1).empty());
    EXPECT_EQ(chart.ScrollBack(), 0);
}

TEST(Strip, TheBoardChartSetUpGivesEachLegendItsTracesColour) {
    Strip chart;
    chart.setTraceCount(9);
    for (int t = 0; t < 9; ++t) {
        chart.dispatchPut(58, t);
        chart.dispatchPut(13, t);
        const qint32 v = chart.dispatchGet(14).toInt();
        chart.dispatchPut(56, v);
    }
    for (std::int16_t t = 0; t < 9; ++t) {
        chart.setTraceIndex(t);
        chart.setLegendIndex(t);
        EXPECT_EQ(chart.LegendColor(), chart.TraceColor()) << t;
        if (t > 0) {
            chart.setTraceIndex(static_cast<std::int16_t>(t - 1));
            EXPECT_NE(chart.LegendColor(), chart.TraceColor()) << t; // distinct traces
        }
    }
}

TEST(Strip, AChartScrolledSampleBySampleLooksLikeOneDrawnAtOnce) {
    // Three traces in separate lanes, fed in turn; one chart painted after
    // every sample, the other only at the end.
    Strip scrolled;
    Strip whole;
    for (Strip* chart : {&scrolled, &whole}) {
        chart->resize(200, 100);
        chart->setTraceCount(3);
        chart->setRangeHigh(3);
        chart->setTraceIndex(2);
        chart->setTraceWidth(2);
        chart->setLegendIndex(1);
        chart->setLegendText(QStringLiteral("PDO 2"));
    }
    picture(scrolled);
    for (int i = 0; i < 260; ++i) {
        for (std::int16_t t = 0; t < 3; ++t) {
            const double value = t + 0.5 + 0.4 * std::sin(i * 0.3 + t);
            scrolled.AddSample(t, value);
            whole.AddSample(t, value);
            if (i % 7 != 3) { // and sometimes after several samples
                picture(scrolled);
            }
        }
    }
    EXPECT_EQ(picture(scrolled), picture(whole));
}

TEST(Strip, AbsentBagKeysReadAsTheDefaultsAndADesignComesBack) {
    Strip chart;
    chart.setTraceCount(9);
    chart.setRangeHigh(16);
    chart.setLegendIndex(8);
    chart.setLegendText(QStringLiteral("PDO 9"));
    chart.setTraceIndex(8);
    chart.setTraceWidth(2);
    vsq::controls::PropertyBag bag;
    chart.writeProperties(bag);
    Strip copy;
    copy.readProperties(bag);
    copy.setLegendIndex(8);
    copy.setTraceIndex(8);
    expectReads(copy, {{"TraceCount", 9}, {"RangeHigh", 16}, {"LegendText", "PDO 9"}});
    expectReads(copy, {{"TraceWidth", 2}});

    copy.readProperties(vsq::controls::PropertyBag{});
    expectReads(copy, {{"TraceCount", 1}, {"RangeHigh", 100}, {"RangeLow", 0}});
    expectReads(copy, {{"LegendHigh", 100}, {"Capacity", 1000}, {"SampleSpacing", 2}});
    expectReads(copy, {{"TraceIndex", 0}});
    // The first colour of the palette.
    expectReads(copy, {{"TraceColor", 0x00B0401Fu}, {"TraceWidth", 1}, {"LegendText", ""}});
}

TEST(Strip, TheScaleFitsItsWidestLabelInTheChartsFontAndTheMarginShowsTheParent) {
    // A narrow chart in a small face, as the register panel shows it.
    Strip chart;
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(7);
    chart.setFont(small);
    chart.setRangeHigh(255);
    chart.setLegendHigh(255); // labels 255, 191.3, 127.5, 63.75, 0
    chart.resize(150, 126);
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    chart.render(&image, QPoint(), QRegion(), QWidget::DrawChildren); // no background of its own
    int firstInked = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < 30; ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                firstInked = std::min(firstInked, x);
            }
        }
    }
    EXPECT_GE(firstInked, 2); // the widest label ends short of the left edge
    EXPECT_LE(firstInked, 8); // and the scale area is no wider than it needs
    EXPECT_EQ(image.pixel(0, 0), 0u);
    EXPECT_EQ(image.pixel(149, 125), 0u);
}
