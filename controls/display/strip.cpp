#include "controls/display/strip.h"

#include "controls/common/basic_error.h"
#include "controls/display/display_support.h"

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
    tracesChanged();
    propertyChanged(QStringLiteral("TraceWidth"));
}

void Strip::setScrollBack(std::int32_t samples) {
    std::size_t stored = 0;
    for (int i = 0; i < traceCount_; ++i) {
        stored = std::max(stored, traces_[static_cast<std::size_t>(i)].size());
    }
    scrollBack_ = std::clamp<std::int32_t>(samples, 0,
                                           static_cast<std::int32_t>(stored > 0 ? stored - 1 : 0));
    tracesChanged();
    propertyChanged(QStringLiteral("ScrollBack"));
}

void Strip::setRangeHigh(double value) {
    rangeHigh_ = value;
    tracesChanged();
    propertyChanged(QStringLiteral("RangeHigh"));
}

void Strip::setRangeLow(double value) {
    rangeLow_ = value;
    tracesChanged();
    propertyChanged(QStringLiteral("RangeLow"));
}

std::uint32_t Strip::LegendColor() const {
    return legendColorOf(legendIndex_);
}
std::uint32_t Strip::legendColorOf(int entry) const {
    const auto index = static_cast<std::size_t>(entry);
    return legend_[index].colorSet ? legend_[index].color : styles_[index].color;
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
    tracesChanged();
    propertyChanged(QStringLiteral("Capacity"));
}

void Strip::setSampleSpacing(std::int16_t pixels) {
    requireWithin(pixels, 1, 20);
    spacing_ = pixels;
    tracesChanged();
    propertyChanged(QStringLiteral("SampleSpacing"));
}

void Strip::AddSample(std::int16_t trace, double value) {
    if (trace < 0 || trace >= traceCount_) {
        throw BasicError(ErrorNumber::InvalidProcedureCall);
    }
    traces_[static_cast<std::size_t>(trace)].push(value);
    showNewSamples();
}

void Strip::Clear() {
    for (TraceRing& ring : traces_) {
        ring.clear();
    }
    scrollBack_ = 0;
    tracesChanged();
}

void Strip::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) {
        setScrollBack(scrollBack_ + notches * std::max(1, plot_.width() / spacing_ / 4));
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
