#pragma once
// The three layouts of the register panel, in twips: the wide one with the
// chart at the right-hand end (the default), the compact one with the chart
// under the value area and the details at the left, and the one without a
// chart (moved beyond the panel's edge, keeping its size).

#include <QRect>
#include <QSize>

#include <optional>

namespace mirelda {

struct PanelLayout {
    QSize panel;
    QRect detailsFrame;
    // The chart's place; its size stays as it was when absent.
    QPoint chartPosition;
    std::optional<QSize> chartSize;
    QSize detailsLabel;
    int valueCaptionWidth;
};

PanelLayout panelLayout(bool arrangeClump, bool displayGraph);

} // namespace mirelda
