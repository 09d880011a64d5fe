#include "app/logicblocks/plb_page.h"

#include "controls/display/toggle.h"

#include <QLabel>
#include <QPainter>

namespace trelvane {
namespace {

// The inputs, top row first.
constexpr std::string_view kInputs[] = {
    "VP1",  "VP2",  "VP3",  "VP4",  "VB1",  "VB2",  "VH",   "GPI1", "GPI2", "GPI3", "GPI4",
    "WDIP", "WDIL", "PLB1", "PLB2", "PLB3", "PLB4", "PLB5", "PLB6", "PLB7", "PLB8", "PLB9"};
constexpr int kRows = static_cast<int>(std::size(kInputs));

// The diagram's grid, in pixels.
constexpr int kRowPitch = 16; // 240 twips
constexpr int kTop = 34;
constexpr int kNameWidth = 38;
constexpr int kToggleWidth = 24;
constexpr int kToggleHeight = 14;
constexpr int kLeftEN = 6 + kNameWidth;
constexpr int kLeftPOL = kLeftEN + kToggleWidth + 4;
constexpr int kFunctionA = 150; // left edge of function A's box
constexpr int kFunctionWidth = 44;
constexpr int kCentre = 300; // middle of the page
constexpr int kFunctionB = 2 * kCentre - kFunctionA - kFunctionWidth;
constexpr int kRightPOL = 2 * kCentre - kLeftPOL - kToggleWidth;
constexpr int kRightEN = 2 * kCentre - kLeftEN - kToggleWidth;
constexpr int kWidth = 2 * kCentre;

int rowTop(int row) {
    return kTop + row * kRowPitch;
}

int rowMiddle(int row) {
    return rowTop(row) + kRowPitch / 2;
}

QLabel* newLabel(const QString& text, const QRect& area, Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(area);
    label->setAlignment(alignment);
    return label;
}

// Where the centre column's parts stand.
constexpr int kEnablesY = 150;
constexpr int kF1ENLeft = kCentre - kToggleWidth - 14;
constexpr int kF2ENLeft = kCentre + 14;
constexpr int kBlockLabelY = 230;
constexpr int kOutputY = 262;
constexpr int kOutputLabelY = 284;

} // namespace

QFont headingFont(int pointSize) {
    QFont font("Arial Black", pointSize);
    font.setWeight(QFont::Black);
    return font;
}

PLBPage::PLBPage(int block, const Adopt& adopt, QWidget* parent) : QFrame(parent), block_(block) {
    setObjectName("PLBFrame");
    const std::string ownRow = "PLB" + std::to_string(block);
    for (int row = 0; row < kRows; ++row) {
        const std::string input(kInputs[row]);
        const QString name = QString::fromStdString(input);
        const int y = rowTop(row) + (kRowPitch - kToggleHeight) / 2;
        newLabel(name, QRect(4, rowTop(row), kNameWidth, kRowPitch), Qt::AlignVCenter, this);
        newLabel(name, QRect(kWidth - 4 - kNameWidth, rowTop(row), kNameWidth, kRowPitch),
                 Qt::AlignVCenter | Qt::AlignRight, this);
        vsq::display::Toggle* own[] = {
            newToggle(input + "F1EN", vsq::display::EnableFace, kLeftEN, y, adopt),
            newToggle(input + "F1POL", vsq::display::PolarityFace, kLeftPOL, y, adopt),
            newToggle(input + "F2POL", vsq::display::PolarityFace, kRightPOL, y, adopt),
            newToggle(input + "F2EN", vsq::display::EnableFace, kRightEN, y, adopt),
        };
        if (input == ownRow)
            for (vsq::display::Toggle* toggle : own)
                toggle->setHidden(true);
    }

    auto* functionA =
        newLabel("Function A", QRect(kFunctionA - 40, 4, 124, 24), Qt::AlignCenter, this);
    auto* functionB =
        newLabel("Function B", QRect(kFunctionB - 40, 4, 124, 24), Qt::AlignCenter, this);
    for (QLabel* label : {functionA, functionB})
        label->setFont(headingFont(9));

    newToggle("F1EN", vsq::display::EnableFace, kF1ENLeft, kEnablesY, adopt)
        ->setToolTipText("Function A on");
    newToggle("F2EN", vsq::display::EnableFace, kF2ENLeft, kEnablesY, adopt)
        ->setToolTipText("Function B on");
    auto* blockLabel = newLabel(QString("PDB %1").arg(block),
                                QRect(kCentre - 50, kBlockLabelY, 100, 24), Qt::AlignCenter, this);
    blockLabel->setFont(headingFont(10));
    newToggle("PLBOutEN", vsq::display::PolarityFace, kCentre - kToggleWidth / 2, kOutputY, adopt)
        ->setToolTipText("Block output");
    newLabel("PLBout", QRect(kCentre - 40, kOutputLabelY, 80, 18), Qt::AlignCenter, this);
}

vsq::display::Toggle* PLBPage::newToggle(const std::string& array, int face, int x, int y,
                                         const Adopt& adopt) {
    auto* toggle = new vsq::display::Toggle(this);
    toggle->setObjectName(QString::fromStdString(array));
    toggle->setFace(static_cast<std::int16_t>(face));
    toggle->setGeometry(x, y, kToggleWidth, kToggleHeight);
    adopt(array, toggle);
    return toggle;
}

QSize PLBPage::sizeHint() const {
    return {kWidth, rowTop(kRows) + 8};
}

// The wiring: every input into its function's box, the boxes into their
// enables, the enables into the block and the block through its output switch.
void PLBPage::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));

    const int top = rowTop(0) + 2;
    const int bottom = rowTop(kRows) - 2;
    const std::string ownRow = "PLB" + std::to_string(block_);
    for (int row = 0; row < kRows; ++row) {
        if (kInputs[row] == ownRow)
            continue;
        const int y = rowMiddle(row);
        painter.drawLine(kLeftPOL + kToggleWidth + 2, y, kFunctionA, y);
        painter.drawLine(kFunctionB + kFunctionWidth, y, kRightPOL - 2, y);
    }

    const int enablesMiddle = kEnablesY + kToggleHeight / 2;
    const int leftEnable = kF1ENLeft;
    const int rightEnable = kF2ENLeft + kToggleWidth;
    painter.drawLine(kFunctionA + kFunctionWidth, enablesMiddle, leftEnable - 2, enablesMiddle);
    painter.drawLine(rightEnable + 2, enablesMiddle, kFunctionB, enablesMiddle);
    painter.drawLine(leftEnable + kToggleWidth / 2, enablesMiddle + kToggleHeight / 2 + 2, kCentre,
                     kBlockLabelY);
    painter.drawLine(rightEnable - kToggleWidth / 2, enablesMiddle + kToggleHeight / 2 + 2, kCentre,
                     kBlockLabelY);
    painter.drawLine(kCentre, kBlockLabelY + 24, kCentre, kOutputY - 2);

    painter.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(QRect(kFunctionA, top, kFunctionWidth, bottom - top), 6, 6);
    painter.drawRoundedRect(QRect(kFunctionB, top, kFunctionWidth, bottom - top), 6, 6);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRect(kCentre - 50, kBlockLabelY, 100, 24), 4, 4);

    painter.setFont(headingFont(8));
    painter.save();
    for (const auto& [left, text] : {std::pair{kFunctionA, "A"}, std::pair{kFunctionB, "B"}}) {
        painter.drawText(QRect(left, top, kFunctionWidth, bottom - top), Qt::AlignCenter, text);
    }
    painter.restore();
}

} // namespace trelvane
