#pragma once
// Toggle ("Toggle"): a two-state on/off switch.
//
// Members (dispatch number, type; read and write unless marked):
//   State        25   Boolean   on = True. Setting it from code raises nothing.
//   Face         200  Integer   the look, one of ToggleFace:
//                                 0 Switch    a slide switch with OffText/OnText beside it
//                                 1 Enable    a blue cross when off, a green check when on
//                                 2 Polarity  a blue "-" when off, a red "+" when on
//   OnText       201  String    caption shown while on (Switch face; default "On")
//   OffText      202  String    caption shown while off (Switch face; default "Off")
//   ToolTipText  203  String    the tool tip ("Click To Change")
// A Face outside 0..2 fails with Invalid property value (380).
//
// Events (Qt signals):
//   Flipped()    event 1: the user flipped the switch (mouse click, Space or
//                Return); State already holds the new state. Never raised for
//                a State set from code.
//
// Property bag keys: "State", "Face", "OnText", "OffText", "ToolTipText".

#include "controls/display/display_control.h"

#include <QString>
#include <QWidget>

#include <cstdint>

namespace vsq::display {

enum ToggleFace : std::int16_t { SwitchFace = 0, EnableFace = 1, PolarityFace = 2 };

class Toggle : public DisplayControl {
    Q_OBJECT
    Q_PROPERTY(bool State READ State WRITE setState)
    Q_PROPERTY(qint16 Face READ Face WRITE setFace)
    Q_PROPERTY(QString OnText READ OnText WRITE setOnText)
    Q_PROPERTY(QString OffText READ OffText WRITE setOffText)

public:
    explicit Toggle(QWidget* parent = nullptr);
    ~Toggle() override;

    bool State() const { return state_; }
    void setState(bool state);
    std::int16_t Face() const { return face_; }
    void setFace(std::int16_t face);
    QString OnText() const { return onText_; }
    void setOnText(const QString& text);
    QString OffText() const { return offText_; }
    void setOffText(const QString& text);

    QSize sizeHint() const override;

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("Toggle"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

signals:
    void Flipped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The user's flip: the new state, then Flipped.
    void flipByUser();

    bool state_ = false;
    std::int16_t face_ = SwitchFace;
    QString onText_ = QStringLiteral("On");
    QString offText_ = QStringLiteral("Off");
    bool pressed_ = false;
};

} // namespace vsq::display
