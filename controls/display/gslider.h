#pragma once
// GSlider ("GSlider"): a slider with a title and a value caption.
//
// Members (dispatch number, type; read and write unless marked):
//   Position     45   Double    the thumb's position, kept within Min..Max
//                               (a value outside is clamped). Setting it from
//                               code raises nothing.
//   Caption     -518  String    the value caption, drawn at the end of the
//                               track ("5.988", ">13.5V"); default empty
//   Step         60   Double    the step of one key press or wheel notch and
//                               the grid the user's moves snap to (default 1);
//                               not above 0 fails with 380
//   Min          200  Double    low end of the scale (default 0)
//   Max          201  Double    high end of the scale (default 100); Min and Max
//                               are kept in order: setting one past the other
//                               moves the other with it; Position follows
//   Title        202  String    the stored title ("VB1 Input :"), drawn before
//                               the track (above it when vertical)
//   Orientation  203  Integer   0 horizontal (Min at the left), 1 vertical (Min
//                               at the bottom); other values fail with 380
//   ToolTipText  204  String    the tool tip ("Fine Tune")
//   LargeStep    205  Double    the step of Page Up/Page Down (default 10)
//   TitleWidth   206  Integer   the least width in pixels kept for the title of a
//                               horizontal slider, so sliders stacked in a column
//                               start their tracks together (default 0: the
//                               title's own width); below 0 fails with 380
//
// Events (Qt signals), raised only for the user's own moves:
//   Moving()     event 9: the position changed during a move (each drag step,
//                each key press or wheel notch); Position holds the new value.
//   Moved()      event 10: the move is done (mouse released after a drag or a
//                click on the track, which jumps the thumb there; after each key
//                press or wheel notch that moved the thumb). Raised once per
//                move, after its Moving.
// A press that does not change the position raises neither.
// Keys: Left/Down one Step down, Right/Up one Step up, Page Down/Page Up one
// LargeStep, Home/End to Min/Max.
//
// Property bag keys: the member names above ("Position", "Caption", ...).

#include "controls/display/display_control.h"

#include <QString>
#include <QWidget>

#include <cstdint>

namespace vsq::display {

class GSlider : public DisplayControl {
    Q_OBJECT
    Q_PROPERTY(double Position READ Position WRITE setPosition)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(double Step READ Step WRITE setStep)
    Q_PROPERTY(double Min READ Min WRITE setMin)
    Q_PROPERTY(double Max READ Max WRITE setMax)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(qint16 Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(double LargeStep READ LargeStep WRITE setLargeStep)
    Q_PROPERTY(qint32 TitleWidth READ TitleWidth WRITE setTitleWidth)

public:
    explicit GSlider(QWidget* parent = nullptr);
    ~GSlider() override;

    double Position() const { return position_; }
    void setPosition(double position);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    double Step() const { return step_; }
    void setStep(double step);
    double Min() const { return min_; }
    void setMin(double min);
    double Max() const { return max_; }
    void setMax(double max);
    QString Title() const { return title_; }
    void setTitle(const QString& title);
    std::int16_t Orientation() const { return orientation_; }
    void setOrientation(std::int16_t orientation);
    double LargeStep() const { return largeStep_; }
    void setLargeStep(double step);
    std::int32_t TitleWidth() const { return titleWidth_; }
    void setTitleWidth(std::int32_t width);

    QSize sizeHint() const override;
    // Where the thumb's centre stands at a position.
    QPointF thumbCentre(double position) const;

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("GSlider"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

signals:
    void Moving();
    void Moved();

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
    // A position of the user's: snapped to Step from Min, clamped; true when
    // the thumb moved (Moving raised).
    bool moveByUser(double position);
    // The width a horizontal slider gives its title, and the gap after it.
    double titleSpace(const QFontMetrics& metrics) const;
    double positionAt(const QPoint& point) const;

    double position_ = 0;
    QString caption_;
    double step_ = 1;
    double largeStep_ = 10;
    double min_ = 0;
    double max_ = 100;
    QString title_;
    std::int16_t orientation_ = 0;
    std::int32_t titleWidth_ = 0;
    bool dragging_ = false;
    bool movedInGesture_ = false;
    double grabOffset_ = 0;
};

} // namespace vsq::display
