#include "controls/display/strip.h"

#include "controls/common/basic_error.h"
#include "controls/display/display_support.h"

#include <QPainter>
#include <QPolygonF>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vsq::display {

using vsq::controls::BasicError;
using vsq::controls::ErrorNumber;
using vsq::controls::methodMember;
using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;

namespace {

constexpr std::int32_t kDefaultCapacity = 1000;
constexpr std::int32_t kMaxCapacity = 100000;
constexpr int kGridDivisions = 4;
constexpr int kGridSpacingX = 40;

// Distinct trace colours, 0x00BBGGRR, in the order traces take them.
constexpr std::array<std::uint32_t, 8> kPalette{
    0x00B0401F, // blue
    0x002828D6, // red
    0x00209A2C, // green
    0x000E7FFF, // orange
    0x00BD6794, // purple
    0x004B568C, // brown
    0x00C277E3, // pink
    0x00CFBE17, // teal
};

std::uint32_t paletteColor(int trace) {
    return kPalette[static_cast<std::size_t>(trace) % kPalette.size()];
}

} // namespace

Strip::Strip(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kMaxTraces; ++i) {
        styles_[static_cast<std::size_t>(i)].color = paletteColor(i);
        traces_[static_cast<std::size_t>(i)].setCapacity(kDefaultCapacity);
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Strip::~Strip() = default;

void Strip::setTraceCount(std::int16_t count) {
    requireWithin(count, 1, kMaxTraces);
    traceCount_ = count;
    backgroundChanged();
    propertyChanged(QStringLiteral("TraceCount"));
}

void Strip::setTraceIndex(std::int16_t index) {
    requireWithin(index, 0, kMaxTraces - 1);
    traceIndex_ = index;
    propertyChanged(QStringLiteral("TraceIndex"));
}

std::uint32_t Strip::TraceColor() const {
    return styles_[static_cast<std::size_t>(traceIndex_)].color;
}
void Strip::setTraceColor(std::uint32_t color) {
    drawColor(color);
    styles_[static_cast<std::size_t>(traceIndex_)].color = color;
    backgroundChanged();
    propertyChanged(QStringLiteral("TraceColor"));
}

std::int16_t Strip::TraceWidth() const {
    return styles_[static_cast<std::size_t>(traceIndex_)].width;
}
void Strip::setTraceWidth(std::int16_t width) {
    requireWithin(width, 1, 8);
    styles_[static_cast<std::size_t>(traceIndex_)].width = width;
    update();
    propertyChanged(QStringLiteral("TraceWidth"));
}

void Strip::setScrollBack(std::int32_t samples) {
    std::size_t stored = 0;
    for (int i = 0; i < traceCount_; ++i) {
        stored = std::max(stored, traces_[static_cast<std::size_t>(i)].size());
    }
    scrollBack_ = std::clamp<std::int32_t>(samples, 0,
                                           static_cast<std::int32_t>(stored > 0 ? stored - 1 : 0));
    update();
    propertyChanged(QStringLiteral("ScrollBack"));
}

void Strip::setRangeHigh(double value) {
    rangeHigh_ = value;
    update();
    propertyChanged(QStringLiteral("RangeHigh"));
}

void Strip::setRangeLow(double value) {
    rangeLow_ = value;
    update();
    propertyChanged(QStringLiteral("RangeLow"));
}

std::uint32_t Strip::LegendColor() const {
    const LegendEntry& entry = legend_[static_cast<std::size_t>(legendIndex_)];
    return entry.colorSet ? entry.color : styles_[static_cast<std::size_t>(legendIndex_)].color;
}
void Strip::setLegendColor(std::uint32_t color) {
    drawColor(color);
    LegendEntry& entry = legend_[static_cast<std::size_t>(legendIndex_)];
    entry.color = color;
    entry.colorSet = true;
    backgroundChanged();
    propertyChanged(QStringLiteral("LegendColor"));
}

void Strip::setLegendIndex(std::int16_t index) {
    requireWithin(index, 0, kMaxTraces - 1);
    legendIndex_ = index;
    propertyChanged(QStringLiteral("LegendIndex"));
}

void Strip::setLegendHigh(double value) {
    legendHigh_ = value;
    backgroundChanged();
    propertyChanged(QStringLiteral("LegendHigh"));
}

void Strip::setLegendLow(double value) {
    legendLow_ = value;
    backgroundChanged();
    propertyChanged(QStringLiteral("LegendLow"));
}

QString Strip::LegendText() const {
    return legend_[static_cast<std::size_t>(legendIndex_)].text;
}
void Strip::setLegendText(const QString& text) {
    legend_[static_cast<std::size_t>(legendIndex_)].text = text;
    backgroundChanged();
    propertyChanged(QStringLiteral("LegendText"));
}

std::int32_t Strip::Capacity() const {
    return static_cast<std::int32_t>(traces_[0].capacity());
}
void Strip::setCapacity(std::int32_t samples) {
    requireWithin(samples, 2, kMaxCapacity);
    for (TraceRing& ring : traces_) {
        ring.setCapacity(static_cast<std::size_t>(samples));
    }
    update();
    propertyChanged(QStringLiteral("Capacity"));
}

void Strip::setSampleSpacing(std::int16_t pixels) {
    requireWithin(pixels, 1, 20);
    spacing_ = pixels;
    update();
    propertyChanged(QStringLiteral("SampleSpacing"));
}

void Strip::AddSample(std::int16_t trace, double value) {
    if (trace < 0 || trace >= traceCount_) {
        throw BasicError(ErrorNumber::InvalidProcedureCall);
    }
    traces_[static_cast<std::size_t>(trace)].push(value);
    update();
}

void Strip::Clear() {
    for (TraceRing& ring : traces_) {
        ring.clear();
    }
    scrollBack_ = 0;
    update();
}

QSize Strip::sizeHint() const {
    return {320, 160};
}

std::uint64_t Strip::newestTotal() const {
    std::uint64_t newest = 0;
    for (int i = 0; i < traceCount_; ++i) {
        newest = std::max(newest, traces_[static_cast<std::size_t>(i)].total());
    }
    return newest;
}

void Strip::backgroundChanged() {
    backgroundValid_ = false;
    update();
}

void Strip::resizeEvent(QResizeEvent*) {
    backgroundValid_ = false;
}

QRect Strip::plotRect() const {
    const QFontMetrics metrics(font());
    const int scaleWidth = std::max(metrics.horizontalAdvance(scaleText(legendHigh_)),
                                    metrics.horizontalAdvance(scaleText(legendLow_))) +
                           6;
    int legendWidth = 0;
    for (int i = 0; i < traceCount_; ++i) {
        const QString& text = legend_[static_cast<std::size_t>(i)].text;
        if (!text.isEmpty()) {
            legendWidth = std::max(legendWidth, metrics.horizontalAdvance(text) + 18);
        }
    }
    const int top = metrics.height() / 2 + 1;
    QRect plot(scaleWidth + 2, top,
               width() - scaleWidth - 4 - (legendWidth > 0 ? legendWidth + 4 : 0),
               height() - 2 * top);
    return plot;
}

void Strip::renderBackground() {
    const qreal ratio = devicePixelRatioF();
    background_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    background_.setDevicePixelRatio(ratio);
    QPainter painter(&background_);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Window));
    const QRect plot = plotRect();
    const QFontMetrics metrics(font());

    painter.fillRect(plot, pal.color(QPalette::Base));
    QColor grid = pal.color(QPalette::Mid);
    grid.setAlpha(90);
    painter.setPen(grid);
    for (int i = 1; i < kGridDivisions; ++i) {
        const int y = plot.top() + plot.height() * i / kGridDivisions;
        painter.drawLine(plot.left(), y, plot.right(), y);
    }
    for (int x = plot.right() - kGridSpacingX; x > plot.left(); x -= kGridSpacingX) {
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }
    painter.setPen(pal.color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot.adjusted(-1, -1, 0, 0));

    // Scale values at the left, on the grid lines.
    painter.setPen(pal.color(QPalette::WindowText));
    for (int i = 0; i <= kGridDivisions; ++i) {
        const double value = legendHigh_ - (legendHigh_ - legendLow_) * i / kGridDivisions;
        const int y = plot.top() + plot.height() * i / kGridDivisions;
        painter.drawText(QRect(0, y - metrics.height() / 2, plot.left() - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, scaleText(value));
    }

    // Legend: one line per named trace, a colour swatch and its text.
    int y = plot.top();
    const int x = plot.right() + 6;
    for (int i = 0; i < traceCount_; ++i) {
        const LegendEntry& entry = legend_[static_cast<std::size_t>(i)];
        if (entry.text.isEmpty()) {
            continue;
        }
        const QColor swatch = drawColor(styles_[static_cast<std::size_t>(i)].color);
        painter.fillRect(QRect(x, y + metrics.height() / 2 - 1, 10, 3), swatch);
        painter.setPen(
            drawColor(entry.colorSet ? entry.color : styles_[static_cast<std::size_t>(i)].color));
        painter.drawText(QRect(x + 14, y, width() - x - 14, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, entry.text);
        y += metrics.height();
    }
    backgroundValid_ = true;
}

void Strip::paintEvent(QPaintEvent*) {
    if (!backgroundValid_ || background_.size() != size() * devicePixelRatioF()) {
        renderBackground();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
    const QRect plot = plotRect();
    if (plot.width() <= 0 || plot.height() <= 0) {
        return;
    }
    painter.setClipRect(plot);
    const std::uint64_t newest = newestTotal();
    if (newest == 0) {
        return;
    }
    const double span = rangeHigh_ - rangeLow_;
    const double scaleY = span != 0 ? plot.height() / span : 0;
    const double bottom = plot.bottom() + 0.5;
    const double right = plot.right() + 0.5;
    // The newest sample shown, counted from the first sample since Clear.
    const std::int64_t shownNewest = static_cast<std::int64_t>(newest) - 1 - scrollBack_;
    const std::int64_t visible = plot.width() / spacing_ + 2;
    QPolygonF& line = polyline_;
    for (int t = 0; t < traceCount_; ++t) {
        const TraceRing& ring = traces_[static_cast<std::size_t>(t)];
        if (ring.empty()) {
            continue;
        }
        const auto total = static_cast<std::int64_t>(ring.total());
        const std::int64_t oldestKept = total - static_cast<std::int64_t>(ring.size());
        const std::int64_t from = std::max(oldestKept, shownNewest - visible);
        const std::int64_t to = std::min(total - 1, shownNewest);
        if (from > to) {
            continue;
        }
        line.resize(static_cast<qsizetype>(to - from + 1));
        QPointF* point = line.data();
        for (std::int64_t k = from; k <= to; ++k, ++point) {
            const double value = ring.at(static_cast<std::size_t>(k - oldestKept));
            const double y = bottom - (value - rangeLow_) * scaleY;
            *point = QPointF(right - static_cast<double>(shownNewest - k) * spacing_,
                             std::clamp(y, plot.top() - 1.0, plot.bottom() + 1.0));
        }
        const TraceStyle& style = styles_[static_cast<std::size_t>(t)];
        QPen pen(drawColor(style.color), style.width);
        pen.setCosmetic(style.width == 1);
        painter.setRenderHint(QPainter::Antialiasing, style.width > 1);
        painter.setPen(pen);
        if (line.size() == 1) {
            painter.drawPoint(line.first());
        } else {
            painter.drawPolyline(line);
        }
    }
}

void Strip::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) {
        setScrollBack(scrollBack_ + notches * std::max(1, plotRect().width() / spacing_ / 4));
    }
    event->accept();
}

const vsq::controls::MemberTable& Strip::memberTable() const {
    static const vsq::controls::MemberTable table{
        propertyMember("TraceCount", 12, &Strip::TraceCount, &Strip::setTraceCount),
        propertyMember("TraceIndex", 13, &Strip::TraceIndex, &Strip::setTraceIndex),
        propertyMember("TraceColor", 14, &Strip::TraceColor, &Strip::setTraceColor),
        propertyMember("TraceWidth", 23, &Strip::TraceWidth, &Strip::setTraceWidth),
        propertyMember("ScrollBack", 24, &Strip::ScrollBack, &Strip::setScrollBack),
        propertyMember("RangeHigh", 33, &Strip::RangeHigh, &Strip::setRangeHigh),
        propertyMember("LegendColor", 56, &Strip::LegendColor, &Strip::setLegendColor),
        propertyMember("LegendIndex", 58, &Strip::LegendIndex, &Strip::setLegendIndex),
        propertyMember("LegendHigh", 64, &Strip::LegendHigh, &Strip::setLegendHigh),
        methodMember("AddSample", 126, &Strip::AddSample),
        methodMember("Clear", 127, &Strip::Clear),
        propertyMember("RangeLow", 200, &Strip::RangeLow, &Strip::setRangeLow),
        propertyMember("LegendLow", 201, &Strip::LegendLow, &Strip::setLegendLow),
        propertyMember("LegendText", 202, &Strip::LegendText, &Strip::setLegendText),
        propertyMember("Capacity", 203, &Strip::Capacity, &Strip::setCapacity),
        propertyMember("SampleSpacing", 204, &Strip::SampleSpacing, &Strip::setSampleSpacing),
    };
    return table;
}

void Strip::initProperties() {
    readProperties(PropertyBag{});
}

void Strip::readProperties(const PropertyBag& bag) {
    traceCount_ = static_cast<std::int16_t>(
        std::clamp<int>(bag.read<std::int16_t>("TraceCount", 1), 1, kMaxTraces));
    rangeHigh_ = bag.read<double>("RangeHigh", 100);
    rangeLow_ = bag.read<double>("RangeLow", 0);
    legendHigh_ = bag.read<double>("LegendHigh", 100);
    legendLow_ = bag.read<double>("LegendLow", 0);
    const std::int32_t capacity =
        std::clamp(bag.read<std::int32_t>("Capacity", kDefaultCapacity), 2, kMaxCapacity);
    spacing_ = static_cast<std::int16_t>(
        std::clamp<int>(bag.read<std::int16_t>("SampleSpacing", 2), 1, 20));
    for (int i = 0; i < kMaxTraces; ++i) {
        const auto index = static_cast<std::size_t>(i);
        traces_[index].setCapacity(static_cast<std::size_t>(capacity));
        traces_[index].clear();
        const QString trace = QStringLiteral("Trace%1").arg(i);
        styles_[index].color = static_cast<std::uint32_t>(
            bag.read<std::int32_t>(trace + "Color", static_cast<std::int32_t>(paletteColor(i))));
        styles_[index].width = static_cast<std::int16_t>(
            std::clamp<int>(bag.read<std::int16_t>(trace + "Width", 1), 1, 8));
        const QString legend = QStringLiteral("Legend%1").arg(i);
        legend_[index].colorSet = bag.contains(legend + "Color");
        legend_[index].color =
            static_cast<std::uint32_t>(bag.read<std::int32_t>(legend + "Color", 0));
        legend_[index].text = bag.read<QString>(legend + "Text", QString());
    }
    traceIndex_ = 0;
    legendIndex_ = 0;
    scrollBack_ = 0;
    backgroundChanged();
}

void Strip::writeProperties(PropertyBag& bag) {
    bag.write<std::int16_t>("TraceCount", traceCount_, 1);
    bag.write<double>("RangeHigh", rangeHigh_, 100);
    bag.write<double>("RangeLow", rangeLow_, 0);
    bag.write<double>("LegendHigh", legendHigh_, 100);
    bag.write<double>("LegendLow", legendLow_, 0);
    bag.write<std::int32_t>("Capacity", Capacity(), kDefaultCapacity);
    bag.write<std::int16_t>("SampleSpacing", spacing_, 2);
    for (int i = 0; i < kMaxTraces; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const QString trace = QStringLiteral("Trace%1").arg(i);
        bag.write<std::int32_t>(trace + "Color", static_cast<std::int32_t>(styles_[index].color),
                                static_cast<std::int32_t>(paletteColor(i)));
        bag.write<std::int16_t>(trace + "Width", styles_[index].width, 1);
        const QString legend = QStringLiteral("Legend%1").arg(i);
        if (legend_[index].colorSet) {
            bag.write(legend + "Color", QVariant(static_cast<std::int32_t>(legend_[index].color)),
                      QVariant());
        }
        bag.write<QString>(legend + "Text", legend_[index].text, QString());
    }
}

} // namespace vsq::display
