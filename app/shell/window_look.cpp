#include "app/shell/window_look.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace trelvane {

QFrame* newHorizontalRule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

void setFontScale(QWidget* widget, double scale, bool bold) {
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    widget->setFont(font);
}

void useFixedDialogFrame(QWidget* window) {
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

void centerOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void paintBackdrop(QPainter& painter, const QRect& area) {
    QLinearGradient backdrop(area.topLeft(), area.bottomRight());
    backdrop.setColorAt(0.0, QColor(18, 44, 84));
    backdrop.setColorAt(1.0, QColor(40, 96, 150));
    painter.fillRect(area, backdrop);
}

} // namespace trelvane
