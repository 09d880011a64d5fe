#include "app/board/board_diagram.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace trelvane::board {

void addChip(QGridLayout& grid, int firstRow, int column, const QString& name,
             const QStringList& pins) {
    QWidget* parent = grid.parentWidget();
    // The box first, so the names drawn over it stay on top.
    auto* box = new QFrame(parent);
    box->setFrameShape(QFrame::Box);
    box->setLineWidth(2);
    box->setStyleSheet(
        QStringLiteral("QFrame { background: #E8EEF6; border: 2px solid #304060; }"));
    grid.addWidget(box, firstRow, column, static_cast<int>(pins.size()) + 1, 1);

    auto* title = new QLabel(name, parent);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    title->setContentsMargins(10, 4, 10, 4);
    grid.addWidget(title, firstRow, column);
    for (int i = 0; i < pins.size(); ++i) {
        auto* pin = new QLabel(pins[i], parent);
        pin->setContentsMargins(10, 0, 10, 0);
        grid.addWidget(pin, firstRow + 1 + i, column);
    }
}

QLabel* newWire(const QString& name, QWidget* parent) {
    auto* wire = new QLabel(name, parent);
    wire->setMinimumWidth(80);
    wire->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    wire->setStyleSheet(
        QStringLiteral("QLabel { border-bottom: 2px solid #304060; padding: 0 6px; }"));
    return wire;
}

} // namespace trelvane::board
