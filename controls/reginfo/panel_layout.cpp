#include "controls/reginfo/panel_layout.h"

namespace mirelda {

PanelLayout panelLayout(bool arrangeClump, bool displayGraph) {
    if (!displayGraph) {
        return {QSize(7380, 1905),    QRect(3120, 1080, 4215, 735),
                QPoint(10000, 10000), std::nullopt,
                QSize(3975, 375),     2895};
    }
    if (arrangeClump) {
        return {QSize(7380, 3780), QRect(0, 1800, 3015, 1935), QPoint(3120, 1200),
                QSize(4170, 2610), QSize(2775, 1575),          1575};
    }
    return {QSize(9780, 1920), QRect(3120, 1080, 4215, 735),
            QPoint(7440, 0),   QSize(2250, 1890),
            QSize(3975, 375),  2895};
}

} // namespace mirelda
