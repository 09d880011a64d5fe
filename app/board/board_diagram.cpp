#include "app/board/board_diagram.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace trelvane::board {
namespace {

const QColor kInk(0x30, 0x40, 0x60);

class Wire : public QWidget {
public:
    Wire(const QString& name, QWidget* parent) : QWidget(parent), name_(name) {
        setMinimumWidth(fontMetrics().horizontalAdvance(name) + 24);
        setMinimumHeight(fontMetrics().height() + 8);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int y = height() / 2 + fontMetrics().height() / 2;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, 0, width(), y - 1), Qt::AlignHCenter | Qt::AlignBottom, name_);
        painter.setPen(QPen(kInk, 2));
        painter.drawLine(QPointF(4, y), QPointF(width() - 2, y));
        QPainterPath head;
        head.moveTo(width() - 1, y);
        head.lineTo(width() - 9, y - 4);
        head.lineTo(width() - 9, y + 4);
        head.closeSubpath();
        painter.fillPath(head, kInk);
    }

private:
    QString name_;
};

} // namespace

void addChip(QGridLayout& grid, int firstRow, int column, const QString& name,
             const QStringList& pins) {
    QWidget* parent = grid.parentWidget();
    // The box first, so the names drawn over it stay on top.
    auto* box = new QFrame(parent);
    box->setStyleSheet(
        QStringLiteral("QFrame { background: #E8EEF6; border: 2px solid #304060; }"));
    grid.addWidget(box, firstRow, column, static_cast<int>(pins.size()) + 1, 1);

    auto* title = new QLabel(name, parent);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    title->setContentsMargins(12, 4, 12, 4);
    grid.addWidget(title, firstRow, column);
    for (int i = 0; i < pins.size(); ++i) {
        auto* pin = new QLabel(pins[i], parent);
        pin->setContentsMargins(12, 0, 12, 0);
        grid.addWidget(pin, firstRow + 1 + i, column);
    }
}

QWidget* newWire(const QString& name, QWidget* parent) {
    return new Wire(name, parent);
}

} // namespace trelvane::board
