#include "app/core/frame_fit.h"

#include <QApplication>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

namespace trelvane {
namespace {

// Beyond the style's label room, so no rounding elides the title.
constexpr int kTitleSlack = 8;

// The height the frame wants at a width: a window whose wrapping texts take
// fewer lines at that width than its size hint counts on wants only what the
// width gives it, so it opens without an empty band at its foot.
int wantedHeight(QMdiSubWindow& frame, int frameWidth) {
    const QWidget* window = frame.widget();
    if (!window || !window->hasHeightForWidth())
        return frame.sizeHint().height();
    if (frame.layout())
        frame.layout()->activate();
    const QSize border = frame.size() - window->size();
    return window->heightForWidth(frameWidth - border.width()) + border.height();
}

} // namespace

int frameTitleRoom(const QMdiSubWindow& frame, int frameWidth) {
    QStyleOptionTitleBar option;
    option.initFrom(&frame);
    option.text = frame.windowTitle();
    option.titleBarFlags = frame.windowFlags();
    option.titleBarState = frame.windowState();
    option.subControls = QStyle::SC_All;
    option.rect = QRect(0, 0, frameWidth,
                        frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &frame));
    return frame.style()
        ->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, &frame)
        .width();
}

void fitFrameToWindow(QMdiSubWindow& frame) {
    if (QWidget* window = frame.widget(); window && window->layout())
        window->layout()->activate();
    // The label room grows one for one with the frame's width.
    const int title = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                          .horizontalAdvance(frame.windowTitle());
    const int titleWidth =
        title + kTitleSlack + frame.width() - frameTitleRoom(frame, frame.width());
    QSize size = frame.size().expandedTo(frame.sizeHint());
    size.setWidth(std::max(size.width(), titleWidth));
    // Within the area where the window can give way, never below what it needs.
    const QMdiArea* area = frame.mdiArea();
    const QSize room = area ? area->viewport()->size() : QSize();
    const QSize least = frame.minimumSizeHint().expandedTo(QSize(titleWidth, 0));
    if (area)
        size.setWidth(std::max(std::min(size.width(), room.width()), least.width()));
    // A frame that the window did not make taller than its hint takes the
    // height the window wants at the width it gets.
    if (frame.height() <= frame.sizeHint().height())
        size.setHeight(wantedHeight(frame, size.width()));
    if (!area) {
        frame.resize(size);
        return;
    }
    size = size.boundedTo(room).expandedTo(least);
    frame.resize(size);
    QPoint place = frame.pos();
    place.setX(std::max(0, std::min(place.x(), room.width() - size.width())));
    place.setY(std::max(0, std::min(place.y(), room.height() - size.height())));
    frame.move(place);
}

} // namespace trelvane
