#pragma once
// Strip ("Strip"): a strip chart: several traces scrolling to the left as
// samples arrive, the newest at the right edge, over a grid with the scale
// written at the left and an optional legend of the trace names. Each trace
// keeps its newest Capacity samples in a ring (no growth); samples are drawn
// SampleSpacing pixels apart, so the chart shows as many of the newest samples
// as its width holds. Traces line up by the number of samples each was given
// since the last Clear (feed them in turn, one sample each per tick).
//
// Members (dispatch number, type; read and write unless marked):
//   TraceCount   12   Integer  number of traces that take samples and are drawn,
//                              1..32 (default 1)
//   TraceIndex   13   Integer  the trace that TraceColor and TraceWidth address,
//                              0..31 (traces beyond TraceCount may be set up too)
//   TraceColor   14   Long     colour of the current trace, 0x00BBGGRR (a
//                              Single such as 192.0 converts); by default trace
//                              n has the n-th colour of a palette of distinct colours
//   TraceWidth   23   Integer  line width of the current trace in pixels, 1..8
//                              (default 1)
//   ScrollBack   24   Long     how many samples the view lies behind the newest
//                              (0 = follow the newest, the default); kept within
//                              what is stored; the mouse wheel changes it
//   RangeHigh    33   Double   value drawn at the top edge (default 100)
//   LegendColor  56   Long     colour of the current legend entry's text
//   LegendIndex  58   Integer  the legend entry that LegendColor and LegendText
//                              address, 0..31; entry n names trace n
//   LegendHigh   64   Double   value written at the top of the scale (default 100)
//   AddSample   126   method (trace Integer, value Double): appends one sample to
//                              a trace; a trace outside 0..TraceCount-1 fails
//                              with Invalid procedure call (5)
//   Clear       127   method: drops every trace's samples (ScrollBack back to 0)
//   RangeLow     200  Double   value drawn at the bottom edge (default 0)
//   LegendLow    201  Double   value written at the bottom of the scale (default 0)
//   LegendText   202  String   text of the current legend entry ("PDO 1");
//                              the entries of the traces drawn that have a text
//                              stand in a column right of the plot, each with a
//                              swatch of its trace, in their LegendColor (default: the
//                              trace's colour)
//   Capacity     203  Long     samples kept per trace, 2..100000 (default 1000);
//                              a change keeps the newest samples that fit
//   SampleSpacing 204 Integer  pixels from one sample to the next, 1..20 (default 2)
// Values outside the ranges given fail with Invalid property value (380).
// Samples outside RangeLow..RangeHigh are drawn clipped at the edge.
//
// Events: none.
//
// New samples are shown at most once a frame of the screen (its refresh
// rate): a chart fed faster than that repaints once for all the samples that
// arrived meanwhile, a chart fed slower at once.
//
// Property bag keys: "TraceCount", "RangeHigh", "RangeLow", "LegendHigh",
// "LegendLow", "Capacity", "SampleSpacing", and per trace n (0..31)
// "TraceNColor", "TraceNWidth", "LegendNColor", "LegendNText".

#include "controls/common/control.h"
#include "controls/display/trace_raster.h"
#include "controls/display/trace_ring.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace vsq::display {

class Strip : public QWidget, public vsq::controls::Control {
    Q_OBJECT
    Q_PROPERTY(qint16 TraceCount READ TraceCount WRITE setTraceCount)
    Q_PROPERTY(qint16 TraceIndex READ TraceIndex WRITE setTraceIndex)
    Q_PROPERTY(quint32 TraceColor READ TraceColor WRITE setTraceColor)
    Q_PROPERTY(qint16 TraceWidth READ TraceWidth WRITE setTraceWidth)
    Q_PROPERTY(qint32 ScrollBack READ ScrollBack WRITE setScrollBack)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE setRangeHigh)
    Q_PROPERTY(quint32 LegendColor READ LegendColor WRITE setLegendColor)
    Q_PROPERTY(qint16 LegendIndex READ LegendIndex WRITE setLegendIndex)
    Q_PROPERTY(double LegendHigh READ LegendHigh WRITE setLegendHigh)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE setRangeLow)
    Q_PROPERTY(double LegendLow READ LegendLow WRITE setLegendLow)
    Q_PROPERTY(QString LegendText READ LegendText WRITE setLegendText)
    Q_PROPERTY(qint32 Capacity READ Capacity WRITE setCapacity)
    Q_PROPERTY(qint16 SampleSpacing READ SampleSpacing WRITE setSampleSpacing)

public:
    static constexpr int kMaxTraces = 32;

    explicit Strip(QWidget* parent = nullptr);
    ~Strip() override;

    std::int16_t TraceCount() const { return traceCount_; }
    void setTraceCount(std::int16_t count);
    std::int16_t TraceIndex() const { return traceIndex_; }
    void setTraceIndex(std::int16_t index);
    std::uint32_t TraceColor() const;
    void setTraceColor(std::uint32_t color);
    std::int16_t TraceWidth() const;
    void setTraceWidth(std::int16_t width);
    std::int32_t ScrollBack() const { return scrollBack_; }
    void setScrollBack(std::int32_t samples);
    double RangeHigh() const { return rangeHigh_; }
    void setRangeHigh(double value);
    std::uint32_t LegendColor() const;
    void setLegendColor(std::uint32_t color);
    std::int16_t LegendIndex() const { return legendIndex_; }
    void setLegendIndex(std::int16_t index);
    double LegendHigh() const { return legendHigh_; }
    void setLegendHigh(double value);
    double RangeLow() const { return rangeLow_; }
    void setRangeLow(double value);
    double LegendLow() const { return legendLow_; }
    void setLegendLow(double value);
    QString LegendText() const;
    void setLegendText(const QString& text);
    std::int32_t Capacity() const;
    void setCapacity(std::int32_t samples);
    std::int16_t SampleSpacing() const { return spacing_; }
    void setSampleSpacing(std::int16_t pixels);

    void AddSample(std::int16_t trace, double value);
    void Clear();

    // The samples a trace keeps (0 = the oldest kept), for callers in C++.
    const TraceRing& trace(int index) const { return traces_.at(static_cast<std::size_t>(index)); }

    QSize sizeHint() const override;

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("Strip"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void initProperties() override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    struct TraceStyle {
        std::uint32_t color = 0;
        std::int16_t width = 1;
    };
    struct LegendEntry {
        std::uint32_t color = 0;
        bool colorSet = false;
        QString text;
    };

    // The scale, grid or legend changed: everything is drawn anew.
    void backgroundChanged();
    // The traces' look or the samples shown changed otherwise than by new
    // samples: the traces are drawn anew.
    void tracesChanged();
    // New samples arrived: shown now, or at the end of the screen's frame when
    // the last paint is more recent than that.
    void showNewSamples();
    void updateForNewSamples();
    int frameMilliseconds() const;
    void renderBackground();
    QRect plotRect(const QFontMetrics& metrics) const;
    // The value written at a horizontal grid line, 0 = the top one.
    double scaleValue(int line) const;
    std::uint64_t newestTotal() const;
    // The frame brought up to date: drawn whole, or scrolled by the samples
    // that arrived since it was drawn and only their segments added.
    void refreshFrame();
    void redrawFrame(std::uint64_t newest);
    bool advanceFrame(std::uint64_t newest);
    // Plot columns from..to (device pixels) as blank paper, with the grid
    // lines of the samples that fall on them.
    void blankColumns(int from, int to, std::uint64_t newest);
    // The samples of trace t from index `first` on (counted since Clear).
    void drawSamples(int t, std::int64_t first, std::uint64_t newest);
    // The colour a legend entry is written in.
    std::uint32_t legendColorOf(int entry) const;
    PixelTarget plotTarget();
    int deviceSpacing() const;

    std::array<TraceRing, kMaxTraces> traces_;
    std::array<TraceStyle, kMaxTraces> styles_{};
    std::array<LegendEntry, kMaxTraces> legend_{};
    std::int16_t traceCount_ = 1;
    std::int16_t traceIndex_ = 0;
    std::int16_t legendIndex_ = 0;
    std::int32_t scrollBack_ = 0;
    double rangeHigh_ = 100;
    double rangeLow_ = 0;
    double legendHigh_ = 100;
    double legendLow_ = 0;
    std::int16_t spacing_ = 2;

    // The window, scale, legend and the blank plot (with its horizontal grid
    // lines), redrawn only when they change. The frame is the picture shown:
    // the plot scrolls in it like paper, vertical grid lines and traces with it.
    QImage background_;
    QImage frame_;
    QRect plot_;       // in widget pixels
    QRect devicePlot_; // in the images' pixels
    bool backgroundValid_ = false;
    bool frameValid_ = false;
    std::uint64_t frameNewest_ = 0;                 // newestTotal() the frame shows
    std::array<std::uint64_t, kMaxTraces> drawn_{}; // each trace's total the frame shows
    std::uint32_t gridPixel_ = 0;
    // Point buffers reused by every paint.
    std::vector<int> xs_;
    std::vector<int> ys_;
    QElapsedTimer sincePaint_;  // started at each paint
    QBasicTimer newSamplesDue_; // runs while new samples wait for the next frame
};

} // namespace vsq::display
