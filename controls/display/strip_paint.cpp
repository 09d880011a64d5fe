// The strip chart's drawing: a cached background, and a frame in which the
// plot scrolls like paper, so a new sample costs a scroll of the plot, the
// new segments and one copy to the screen.

#include "controls/display/display_support.h"
#include "controls/display/strip.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vsq::display {

namespace {

constexpr int kGridDivisions = 4; // horizontal grid: quarters of the range
constexpr int kGridPixels = 40;   // vertical grid: about this far apart
constexpr double kMetresPerInch = 0.0254;

QColor mixed(const QColor& a, const QColor& b, double amountOfB) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * amountOfB),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * amountOfB),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * amountOfB));
}

} // namespace

QSize Strip::sizeHint() const {
    return {320, 160};
}

double Strip::scaleValue(int line) const {
    return legendHigh_ - (legendHigh_ - legendLow_) * line / kGridDivisions;
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
    frameValid_ = false;
    update();
}

void Strip::tracesChanged() {
    frameValid_ = false;
    update();
}

void Strip::showNewSamples() {
    if (newSamplesDue_.isActive()) {
        return; // the coming repaint shows these too
    }
    const int frame = frameMilliseconds();
    const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : frame;
    if (since >= frame) {
        updateForNewSamples();
    } else {
        newSamplesDue_.start(static_cast<int>(frame - since), Qt::PreciseTimer, this);
    }
}

void Strip::updateForNewSamples() {
    if (backgroundValid_) {
        update(plot_);
    } else {
        update();
    }
}

int Strip::frameMilliseconds() const {
    const QScreen* shownOn = screen();
    const qreal rate = shownOn != nullptr ? shownOn->refreshRate() : 60.0;
    return rate > 0.0 ? std::clamp(static_cast<int>(std::ceil(1000.0 / rate)), 1, 100) : 17;
}

void Strip::timerEvent(QTimerEvent* event) {
    if (event->timerId() != newSamplesDue_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    newSamplesDue_.stop();
    updateForNewSamples();
}

void Strip::resizeEvent(QResizeEvent*) {
    backgroundValid_ = false;
    frameValid_ = false;
}

void Strip::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        backgroundChanged();
    }
}

int Strip::deviceSpacing() const {
    return std::max(1, static_cast<int>(std::lround(spacing_ * devicePixelRatioF())));
}

QRect Strip::plotRect(const QFontMetrics& metrics) const {
    int scaleWidth = 0;
    for (int i = 0; i <= kGridDivisions; ++i) {
        scaleWidth = std::max(scaleWidth, metrics.horizontalAdvance(scaleText(scaleValue(i))));
    }
    scaleWidth += 6;
    int legendWidth = 0;
    for (int i = 0; i < traceCount_; ++i) {
        const QString& text = legend_[static_cast<std::size_t>(i)].text;
        if (!text.isEmpty()) {
            legendWidth = std::max(legendWidth, metrics.horizontalAdvance(text) + 18);
        }
    }
    const int top = metrics.height() / 2 + 1;
    return {scaleWidth + 2, top, width() - scaleWidth - 4 - (legendWidth > 0 ? legendWidth + 4 : 0),
            height() - 2 * top};
}

void Strip::renderBackground() {
    const qreal ratio = devicePixelRatioF();
    // The margin stays clear, so the chart sits on its parent's background
    // (a group box, say); the plot itself is opaque.
    background_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    background_.setDevicePixelRatio(ratio);
    // Text sized as on the screen, and measured and written in the chart's own font.
    background_.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / kMetresPerInch)));
    background_.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / kMetresPerInch)));
    background_.fill(Qt::transparent);
    QPainter painter(&background_);
    painter.setFont(font());
    const QPalette& pal = palette();
    const QFontMetrics metrics = painter.fontMetrics();
    plot_ = plotRect(metrics);
    devicePlot_ = QRectF(QPointF(plot_.topLeft()) * ratio, QSizeF(plot_.size()) * ratio)
                      .toRect()
                      .intersected(background_.rect());

    const QColor paper = pal.color(QPalette::Base);
    const QColor grid = mixed(paper, pal.color(QPalette::Mid), 0.35);
    gridPixel_ = grid.rgb();
    painter.fillRect(plot_, paper);
    painter.setPen(grid);
    for (int i = 1; i < kGridDivisions; ++i) {
        const int y = plot_.top() + plot_.height() * i / kGridDivisions;
        painter.drawLine(plot_.left(), y, plot_.right(), y);
    }
    painter.setPen(pal.color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot_.adjusted(-1, -1, 0, 0));

    // Scale values at the left, on the grid lines.
    painter.setPen(pal.color(QPalette::WindowText));
    for (int i = 0; i <= kGridDivisions; ++i) {
        const int y = plot_.top() + plot_.height() * i / kGridDivisions;
        painter.drawText(QRect(0, y - metrics.height() / 2, plot_.left() - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, scaleText(scaleValue(i)));
    }

    // Legend: one line per named trace, a colour swatch and its text.
    int y = plot_.top();
    const int x = plot_.right() + 6;
    for (int i = 0; i < traceCount_; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const LegendEntry& entry = legend_[index];
        if (entry.text.isEmpty()) {
            continue;
        }
        painter.fillRect(QRect(x, y + metrics.height() / 2 - 1, 10, 3),
                         drawColor(styles_[index].color));
        painter.setPen(drawColor(legendColorOf(i)));
        painter.drawText(QRect(x + 14, y, width() - x - 14, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, entry.text);
        y += metrics.height();
    }
    backgroundValid_ = true;
    frame_ = background_.copy();
    frameValid_ = false;
}

PixelTarget Strip::plotTarget() {
    return PixelTarget{reinterpret_cast<std::uint32_t*>(frame_.bits()),
                       static_cast<int>(frame_.bytesPerLine() / 4),
                       devicePlot_.left(),
                       devicePlot_.top(),
                       devicePlot_.right(),
                       devicePlot_.bottom()};
}

void Strip::blankColumns(int from, int to, std::uint64_t newest) {
    from = std::max(from, devicePlot_.left());
    to = std::min(to, devicePlot_.right());
    if (from > to) {
        return;
    }
    const int stride = static_cast<int>(frame_.bytesPerLine() / 4);
    auto* frame = reinterpret_cast<std::uint32_t*>(frame_.bits());
    const auto* paper = reinterpret_cast<const std::uint32_t*>(background_.constBits());
    for (int row = devicePlot_.top(); row <= devicePlot_.bottom(); ++row) {
        const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(row) * stride + from;
        std::copy_n(paper + offset, to - from + 1, frame + offset);
    }
    // Vertical grid lines stand on every g-th sample and move with the samples.
    const int spacing = deviceSpacing();
    const std::int64_t every = std::max(1, kGridPixels / spacing_);
    const std::int64_t shownNewest = static_cast<std::int64_t>(newest) - 1 - scrollBack_;
    const std::int64_t phase = ((shownNewest % every) + every) % every;
    for (std::int64_t j = phase;; j += every) {
        const std::int64_t x = devicePlot_.right() - j * spacing;
        if (x < from) {
            break;
        }
        if (x > to) {
            continue;
        }
        for (int row = devicePlot_.top(); row <= devicePlot_.bottom(); ++row) {
            frame[static_cast<std::ptrdiff_t>(row) * stride + x] = gridPixel_;
        }
    }
}

void Strip::drawSamples(int t, std::int64_t first, std::uint64_t newest) {
    const TraceRing& ring = traces_[static_cast<std::size_t>(t)];
    const auto total = static_cast<std::int64_t>(ring.total());
    const std::int64_t oldestKept = total - static_cast<std::int64_t>(ring.size());
    const int spacing = deviceSpacing();
    const std::int64_t shownNewest = static_cast<std::int64_t>(newest) - 1 - scrollBack_;
    const std::int64_t visible = devicePlot_.width() / spacing + 2;
    const std::int64_t from = std::max({first, oldestKept, shownNewest - visible});
    const std::int64_t to = std::min(total - 1, shownNewest);
    if (from > to) {
        return;
    }
    const double span = rangeHigh_ - rangeLow_;
    const double top = devicePlot_.top();
    const double bottom = devicePlot_.bottom();
    const double scale = span != 0 ? (bottom - top) / span : 0;
    const auto count = static_cast<std::size_t>(to - from + 1);
    xs_.resize(count);
    ys_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t k = from + static_cast<std::int64_t>(i);
        const double value = ring.at(static_cast<std::size_t>(k - oldestKept));
        xs_[i] = devicePlot_.right() - static_cast<int>(shownNewest - k) * spacing;
        // Far-off values are held just outside the plot, where they are clipped.
        const double y = std::clamp(bottom - (value - rangeLow_) * scale, top - 2, bottom + 2);
        ys_[i] = static_cast<int>(std::lround(y));
    }
    const TraceStyle& style = styles_[static_cast<std::size_t>(t)];
    const int lineWidth =
        std::max(1, static_cast<int>(std::lround(style.width * devicePixelRatioF())));
    drawTrace(plotTarget(), xs_.data(), ys_.data(), static_cast<int>(count),
              drawColor(style.color).rgb(), lineWidth);
}

void Strip::redrawFrame(std::uint64_t newest) {
    blankColumns(devicePlot_.left(), devicePlot_.right(), newest);
    for (int t = 0; t < traceCount_; ++t) {
        drawSamples(t, 0, newest);
        drawn_[static_cast<std::size_t>(t)] = traces_[static_cast<std::size_t>(t)].total();
    }
    frameNewest_ = newest;
    frameValid_ = true;
}

bool Strip::advanceFrame(std::uint64_t newest) {
    if (!frameValid_ || scrollBack_ != 0 || newest < frameNewest_) {
        return false;
    }
    const std::int64_t shift = static_cast<std::int64_t>(newest - frameNewest_) * deviceSpacing();
    if (shift >= devicePlot_.width()) {
        return false;
    }
    for (int t = 0; t < traceCount_; ++t) {
        const TraceRing& ring = traces_[static_cast<std::size_t>(t)];
        const std::uint64_t drawn = drawn_[static_cast<std::size_t>(t)];
        // The last two samples drawn must still be kept to join the new ones to them.
        if (ring.total() < drawn || (drawn > 0 && ring.total() - drawn + 1 >= ring.size())) {
            return false;
        }
    }
    if (shift > 0) {
        const int stride = static_cast<int>(frame_.bytesPerLine() / 4);
        auto* frame = reinterpret_cast<std::uint32_t*>(frame_.bits());
        const auto kept = static_cast<std::size_t>(devicePlot_.width() - shift);
        for (int row = devicePlot_.top(); row <= devicePlot_.bottom(); ++row) {
            std::uint32_t* line =
                frame + static_cast<std::ptrdiff_t>(row) * stride + devicePlot_.left();
            std::memmove(line, line + shift, kept * sizeof(std::uint32_t));
        }
        blankColumns(devicePlot_.right() - static_cast<int>(shift) + 1, devicePlot_.right(),
                     newest);
    }
    for (int t = 0; t < traceCount_; ++t) {
        const auto index = static_cast<std::size_t>(t);
        const std::uint64_t total = traces_[index].total();
        if (total > drawn_[index] || shift > 0) {
            // From the sample before the last one drawn: the last one's column
            // was cut at the edge, and joining it again needs where the line
            // entered it.
            drawSamples(t, static_cast<std::int64_t>(drawn_[index]) - 2, newest);
            drawn_[index] = total;
        }
    }
    frameNewest_ = newest;
    return true;
}

void Strip::refreshFrame() {
    if (!backgroundValid_ || background_.size() != size() * devicePixelRatioF()) {
        renderBackground();
    }
    const std::uint64_t newest = newestTotal();
    if (!advanceFrame(newest)) {
        redrawFrame(newest);
    }
}

void Strip::paintEvent(QPaintEvent* event) {
    sincePaint_.start();
    refreshFrame();
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = devicePixelRatioF();
    painter.drawImage(area, frame_,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

} // namespace vsq::display
