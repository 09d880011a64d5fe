// A window with every display control set up the way the tool windows use
// them, to look at them as a user would. With an argument it saves a picture
// of the window there after it is shown and quits.

#include "controls/display/gslider.h"
#include "controls/display/lgauge.h"
#include "controls/display/selector.h"
#include "controls/display/strip.h"
#include "controls/display/toggle.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using namespace vsq::display;

namespace {

QGroupBox* group(const QString& title, QLayout* layout) {
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

LGauge* limitsGauge() {
    auto* gauge = new LGauge;
    gauge->setMax(255);
    gauge->setPointerCount(4);
    const std::uint32_t colors[] = {0x0000C0, 0xC00000, 0x008000, 0x008000};
    const std::int16_t styles[] = {MarkerAbove, MarkerBelow, BandPointer, BandPointer};
    for (std::int16_t p = 0; p < 4; ++p) {
        gauge->setPointerIndex(p);
        gauge->setPointerStyle(styles[p]);
        gauge->setPointerColor(colors[p]);
        gauge->setPointerLowerEnd(96);
        gauge->setPointerUpperEnd(180);
    }
    gauge->setPointerIndex(0);
    gauge->setPointerValue(180);
    gauge->setPointerIndex(1);
    gauge->setPointerValue(96);
    gauge->setToolTipText(QStringLiteral("Drag the pointers to change the limits"));
    gauge->setMinimumSize(360, 56);
    return gauge;
}

LGauge* timingPlot(bool error) {
    auto* plot = new LGauge;
    plot->setMin(-20);
    plot->setMax(1500);
    plot->setLocked(true);
    plot->setPointerCount(3);
    const double edges[] = {500, 1100, error ? 400.0 : 600.0};
    for (std::int16_t p = 0; p < 3; ++p) {
        plot->setPointerIndex(p);
        plot->setPointerStyle(p == 2 ? MarkerAbove : MarkerBelow);
        plot->setPointerColor(p == 2 ? 0x808080 : 0x800000);
        plot->setPointerValue(edges[p]);
    }
    // Output high/low in the lower half, input high/low in the upper half.
    struct B {
        double lower, upper;
        std::uint32_t color;
        std::int16_t top, height;
    };
    const double input = edges[2];
    const B bands[] = {
        {500, 1100, 0xC08000, 55, 30},  {1100, 1500, 0xE0E0E0, 80, 5}, {-20, 500, 0xE0E0E0, 80, 5},
        {0, input, 0x4080FF, 15, 30},   {0, 0, 0xFFFFFF, 0, 0},        {-20, 0, 0xE0E0E0, 40, 5},
        {input, 1500, 0xE0E0E0, 40, 5},
    };
    plot->setBandCount(7);
    for (std::int16_t b = 0; b < 7; ++b) {
        plot->setBandIndex(b);
        plot->setBandLowerEnd(bands[b].lower);
        plot->setBandUpperEnd(bands[b].upper);
        plot->setBandColor(bands[b].color);
        plot->setBandTop(bands[b].top);
        plot->setBandHeight(bands[b].height);
    }
    if (error) {
        plot->setCaption(QStringLiteral("Error, rising Edge must occur before the input"));
    }
    plot->setMinimumSize(plot->sizeHint().expandedTo(QSize(360, 0)));
    return plot;
}

GSlider* slider(const QString& title, double max, double position, const QString& caption,
                bool vertical = false) {
    auto* s = new GSlider;
    s->setTitle(title);
    s->setMax(max);
    s->setPosition(position);
    s->setCaption(caption);
    s->setOrientation(vertical ? 1 : 0);
    s->setToolTipText(QStringLiteral("Fine Tune"));
    return s;
}

Toggle* toggle(ToggleFace face, bool on) {
    auto* t = new Toggle;
    t->setFace(face);
    t->setState(on);
    t->setToolTipText(QStringLiteral("Click To Change"));
    t->setFixedSize(face == SwitchFace ? t->sizeHint() : QSize(20, 20));
    return t;
}

Selector* selector(const QString& caption, const QString& texts, std::int16_t position) {
    auto* s = new Selector;
    s->setCaption(caption);
    s->setTexts(texts);
    s->setPosition(position);
    s->setMinimumSize(s->sizeHint());
    return s;
}

Strip* pdoChart() {
    auto* chart = new Strip;
    chart->setTraceCount(9);
    chart->setRangeHigh(16);
    chart->setLegendHigh(16);
    for (std::int16_t t = 0; t < 9; ++t) {
        chart->setLegendIndex(t);
        chart->setLegendText(QStringLiteral("PDO %1").arg(t + 1));
    }
    for (int i = 0; i < 400; ++i) {
        for (std::int16_t t = 8; t >= 0; --t) {
            const double full = t >= 4 ? 5.5 : 15;
            const bool high = ((i + 13 * t) / (20 + 3 * t)) % 2 == 0;
            chart->AddSample(t, high ? full * (0.9 - 0.02 * t) : 0.3 + 0.1 * t);
        }
    }
    chart->setMinimumSize(460, 200);
    return chart;
}

Strip* registerChart(bool logic) {
    auto* chart = new Strip;
    // The register panel's small face.
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(8);
    chart->setFont(small);
    chart->setTraceCount(logic ? 8 : 1);
    for (std::int16_t t = 0; t < chart->TraceCount(); ++t) {
        chart->setTraceIndex(t);
        chart->setTraceColor(192);
        chart->setTraceWidth(logic ? 1 : 2);
    }
    chart->setRangeHigh(logic ? 8 : 255);
    chart->setLegendHigh(logic ? 8 : 255);
    for (int i = 0; i < 200; ++i) {
        const int value = (i * 7 + (i / 9) * 31) & 0xFF;
        if (logic) {
            for (int t = 7; t >= 0; --t) {
                chart->AddSample(static_cast<std::int16_t>(t), t + ((value >> t) & 1 ? 0.9 : 0.1));
            }
        } else {
            chart->AddSample(0, 128 + 100 * std::sin(i * 0.08));
        }
    }
    chart->setFixedSize(150, 126);
    return chart;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Display controls"));
    auto* layout = new QGridLayout(&window);

    auto* gauges = new QVBoxLayout;
    gauges->addWidget(new QLabel(QStringLiteral("Limits (0-255), two pointers and two bands:")));
    gauges->addWidget(limitsGauge());
    gauges->addWidget(
        new QLabel(QStringLiteral("Timing plot (-20 to 1500), with and without an error:")));
    gauges->addWidget(timingPlot(false));
    gauges->addWidget(timingPlot(true));
    layout->addWidget(group(QStringLiteral("Linear gauge"), gauges), 0, 0);

    auto* sliders = new QVBoxLayout;
    sliders->addWidget(slider(QStringLiteral("VB1 Input :"), 1023, 1023, QStringLiteral("5.988")));
    sliders->addWidget(slider(QStringLiteral("VH Input"), 937, 937, QStringLiteral(">13.5V")));
    sliders->addWidget(slider(QString(), 31, 12, QStringLiteral("12")));
    auto* vertical = new QHBoxLayout;
    vertical->addWidget(slider(QStringLiteral("VP1"), 1023, 300, QStringLiteral("1.758"), true));
    vertical->addWidget(slider(QStringLiteral("VP2"), 1023, 800, QStringLiteral("4.688"), true));
    vertical->addStretch();
    sliders->addLayout(vertical);
    layout->addWidget(group(QStringLiteral("Slider"), sliders), 0, 1);

    auto* toggles = new QGridLayout;
    toggles->addWidget(new QLabel(QStringLiteral("Switch")), 0, 0);
    toggles->addWidget(toggle(SwitchFace, false), 0, 1);
    toggles->addWidget(toggle(SwitchFace, true), 0, 2);
    toggles->addWidget(new QLabel(QStringLiteral("Enable")), 1, 0);
    toggles->addWidget(toggle(EnableFace, false), 1, 1);
    toggles->addWidget(toggle(EnableFace, true), 1, 2);
    toggles->addWidget(new QLabel(QStringLiteral("Polarity")), 2, 0);
    toggles->addWidget(toggle(PolarityFace, false), 2, 1);
    toggles->addWidget(toggle(PolarityFace, true), 2, 2);
    auto* disabled = toggle(SwitchFace, true);
    disabled->setEnabled(false);
    toggles->addWidget(new QLabel(QStringLiteral("Disabled")), 3, 0);
    toggles->addWidget(disabled, 3, 1);
    toggles->setColumnStretch(3, 1);
    layout->addWidget(group(QStringLiteral("Toggle switch"), toggles), 1, 0);

    auto* selectors = new QHBoxLayout;
    selectors->addWidget(selector(QStringLiteral("Pulse Length"),
                                  QStringLiteral("10us |100us |1000us |10000us "), 1));
    selectors->addWidget(selector(QStringLiteral("Watchdog Timeout Period"),
                                  QStringLiteral("Disabled|200ms |400ms |800ms |1600ms |3200ms "
                                                 "|6400ms |12800ms"),
                                  0)); // the longest text selected, drawn bold
    layout->addWidget(group(QStringLiteral("Selector"), selectors), 1, 1);

    auto* charts = new QHBoxLayout;
    charts->addWidget(pdoChart(), 1);
    charts->addWidget(registerChart(false));
    charts->addWidget(registerChart(true));
    layout->addWidget(group(QStringLiteral("Strip chart"), charts), 2, 0, 1, 2);

    window.show();
    if (argc > 1) {
        const QString path = QString::fromLocal8Bit(argv[1]);
        QTimer::singleShot(300, &app, [&window, path] {
            window.grab().save(path);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
