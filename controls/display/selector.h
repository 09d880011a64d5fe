#pragma once
// Selector ("Selector"): a rotary selector switch: a knob whose pointer stops
// at one of a few positions, each labelled with its text around the dial.
//
// Members (dispatch number, type; read and write unless marked):
//   Position     29   Integer  the selected position, 0 = first; kept within
//                              0..PositionCount-1 (a value outside is clamped).
//                              Setting it from code raises nothing.
//   Caption     -518  String   the title drawn above the dial ("Pulse Length")
//   Texts        200  String   the position texts joined by "|", first position
//                              first ("10us |100us |1000us |10000us "); blanks
//                              are kept as given. Setting it sets PositionCount
//                              to the number of texts (at least 1; at most 16
//                              are kept) and clamps Position.
//   PositionCount 201 Integer  number of positions, 1..16 (default 2); texts
//                              missing for positions are drawn empty, extra
//                              texts are dropped; other counts fail with 380
//   ToolTipText  202  String   the tool tip
// C++ callers may use setTextList()/textList() in place of Texts.
//
// Events (Qt signals), raised only for the user's own turns:
//   Turned(position)  event 9: the user turned the selector to a new position
//                     (Position already holds it). Raised by a click on a
//                     position's text or mark, a drag of the knob, a wheel
//                     notch, or the keys Left/Down (one back), Right/Up (one
//                     on), Home/End; not when the position stays the same.
//
// Property bag keys: "Position", "Caption", "Texts", "PositionCount", "ToolTipText".

#include "controls/display/display_control.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>

namespace vsq::display {

class Selector : public DisplayControl {
    Q_OBJECT
    Q_PROPERTY(qint16 Position READ Position WRITE setPosition)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString Texts READ Texts WRITE setTexts)
    Q_PROPERTY(qint16 PositionCount READ PositionCount WRITE setPositionCount)

public:
    explicit Selector(QWidget* parent = nullptr);
    ~Selector() override;

    std::int16_t Position() const { return position_; }
    void setPosition(std::int16_t position);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    QString Texts() const;
    void setTexts(const QString& texts);
    std::int16_t PositionCount() const { return count_; }
    void setPositionCount(std::int16_t count);

    QStringList textList() const { return texts_; }
    void setTextList(const QStringList& texts);

    QSize sizeHint() const override;
    // The middle of a position's text.
    QPointF textCentre(int position) const;

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("Selector"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

signals:
    void Turned(qint16 position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Geometry;
    Geometry geometry() const;
    // The position nearest a point's angle on the dial, or -1 off the dial.
    int positionAt(const QPointF& point) const;
    void turnByUser(int position);

    std::int16_t position_ = 0;
    std::int16_t count_ = 2;
    QString caption_;
    QStringList texts_;
    bool dragging_ = false;
};

} // namespace vsq::display
