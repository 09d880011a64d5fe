#pragma once
// LGauge ("LGauge"): a linear gauge (a horizontal scale) carrying pointers the
// user can drag and coloured bands drawn behind them; it also serves as a
// small timing plot (bands at different heights, pointers as edge markers).
//
// Pointers are addressed through a current-pointer index, bands through a
// current-band index, both counted from 0. Every value is kept within
// Min..Max: a value outside is clamped when it is set (and when the scale
// changes). Setting any member from code raises nothing.
//
// Members (dispatch number, type; read and write unless marked):
//   BandIndex        3    Integer  the band that BandLowerEnd/BandUpperEnd,
//                                  BandColor, BandTop and BandHeight address
//   BandLowerEnd     10   Double   lower end of the current band
//   BandUpperEnd     11   Double   upper end of the current band
//   PointerIndex     38   Integer  the pointer that PointerValue, PointerLowerEnd,
//                                  PointerUpperEnd, PointerStyle and PointerColor
//                                  address; when an event arrives it holds the
//                                  pointer the user is moving
//   PointerLowerEnd  47   Double   lower end of the current pointer when it is a band
//   PointerUpperEnd  48   Double   upper end of the current pointer when it is a band
//   PointerValue     51   Double   position of the current (marker) pointer
//   Caption         -518  String   a text drawn centred in dark red (an error text
//                                  in the timing plot); default empty. It has a
//                                  line of its own above the pointers when the
//                                  gauge is as tall as its sizeHint, else it is
//                                  drawn over the track.
//   Min              200  Double   low end of the scale (default 0)
//   Max              201  Double   high end of the scale (default 100); Min and
//                                  Max are kept in order like GSlider's
//   PointerCount     202  Integer  number of pointers, 0..16 (default 1)
//   PointerStyle     203  Integer  of the current pointer, one of PointerStyle:
//                                  0 a triangle above the scale pointing down,
//                                  1 a triangle below it pointing up, 2 a band
//                                  (PointerLowerEnd..PointerUpperEnd) across the
//                                  track, dragged as a whole
//   PointerColor     204  Long     of the current pointer, 0x00BBGGRR
//   BandCount        205  Integer  number of bands, 0..16 (default 0)
//   BandColor        206  Long     of the current band, 0x00BBGGRR
//   BandTop          207  Integer  top of the current band, in percent of the
//                                  track height from its top (default 0)
//   BandHeight       208  Integer  height of the current band, in percent of the
//                                  track height (default 100)
//   Locked           209  Boolean  True: the pointers cannot be moved by the user
//   ToolTipText      210  String   the tool tip ("Drag the pointers to change the limits")
//   Step             211  Double   the step of a key press or wheel notch and the
//                                  grid a drag snaps to (default 1)
// An index outside 0..count-1, a count outside 0..16, a style outside 0..2, a
// percentage outside 0..100 or a Step not above 0 fails with Invalid property
// value (380). New pointers start as style-0 markers at Min; new bands as
// full-height grey bands over the whole scale.
//
// Events (Qt signals), raised only for the user's own moves; PointerIndex
// already names the pointer moved:
//   PointerMoved()   event 1: the user's move of a pointer is done (mouse
//                    released after it moved; each key press or wheel notch).
//   PointerMoving()  event 2: the user moved a pointer (each drag step, each
//                    key press or wheel notch, before its PointerMoved).
// The handler of PointerMoving may set pointers from code (to keep them in
// order, say); the drag goes on from where the handler left the pointer.
// Mouse: press on a pointer (the nearest within a few pixels; on a band's
// body) and drag. Keys move the pointer the user last took hold of (pointer 0
// until then; it is outlined while the gauge has the focus): Left/Down one
// Step down, Right/Up one Step up, Page Down/Page Up ten Steps; the wheel one
// Step per notch.
//
// Property bag keys: "Min", "Max", "Caption", "Locked", "ToolTipText", "Step",
// "PointerCount", "BandCount", and per pointer n "PointerNValue",
// "PointerNLower", "PointerNUpper", "PointerNStyle", "PointerNColor", per band n
// "BandNLower", "BandNUpper", "BandNColor", "BandNTop", "BandNHeight".

#include "controls/display/display_control.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace vsq::display {

enum PointerStyle : std::int16_t { MarkerAbove = 0, MarkerBelow = 1, BandPointer = 2 };

class LGauge : public DisplayControl {
    Q_OBJECT
    Q_PROPERTY(qint16 BandIndex READ BandIndex WRITE setBandIndex)
    Q_PROPERTY(double BandLowerEnd READ BandLowerEnd WRITE setBandLowerEnd)
    Q_PROPERTY(double BandUpperEnd READ BandUpperEnd WRITE setBandUpperEnd)
    Q_PROPERTY(qint16 PointerIndex READ PointerIndex WRITE setPointerIndex)
    Q_PROPERTY(double PointerLowerEnd READ PointerLowerEnd WRITE setPointerLowerEnd)
    Q_PROPERTY(double PointerUpperEnd READ PointerUpperEnd WRITE setPointerUpperEnd)
    Q_PROPERTY(double PointerValue READ PointerValue WRITE setPointerValue)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(double Min READ Min WRITE setMin)
    Q_PROPERTY(double Max READ Max WRITE setMax)
    Q_PROPERTY(qint16 PointerCount READ PointerCount WRITE setPointerCount)
    Q_PROPERTY(qint16 PointerStyle READ PointerStyle WRITE setPointerStyle)
    Q_PROPERTY(quint32 PointerColor READ PointerColor WRITE setPointerColor)
    Q_PROPERTY(qint16 BandCount READ BandCount WRITE setBandCount)
    Q_PROPERTY(quint32 BandColor READ BandColor WRITE setBandColor)
    Q_PROPERTY(qint16 BandTop READ BandTop WRITE setBandTop)
    Q_PROPERTY(qint16 BandHeight READ BandHeight WRITE setBandHeight)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(double Step READ Step WRITE setStep)

public:
    explicit LGauge(QWidget* parent = nullptr);
    ~LGauge() override;

    std::int16_t BandIndex() const { return bandIndex_; }
    void setBandIndex(std::int16_t index);
    double BandLowerEnd() const;
    void setBandLowerEnd(double value);
    double BandUpperEnd() const;
    void setBandUpperEnd(double value);
    std::int16_t PointerIndex() const { return pointerIndex_; }
    void setPointerIndex(std::int16_t index);
    double PointerLowerEnd() const;
    void setPointerLowerEnd(double value);
    double PointerUpperEnd() const;
    void setPointerUpperEnd(double value);
    double PointerValue() const;
    void setPointerValue(double value);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    double Min() const { return min_; }
    void setMin(double min);
    double Max() const { return max_; }
    void setMax(double max);
    std::int16_t PointerCount() const;
    void setPointerCount(std::int16_t count);
    std::int16_t PointerStyle() const;
    void setPointerStyle(std::int16_t style);
    std::uint32_t PointerColor() const;
    void setPointerColor(std::uint32_t color);
    std::int16_t BandCount() const;
    void setBandCount(std::int16_t count);
    std::uint32_t BandColor() const;
    void setBandColor(std::uint32_t color);
    std::int16_t BandTop() const;
    void setBandTop(std::int16_t percent);
    std::int16_t BandHeight() const;
    void setBandHeight(std::int16_t percent);
    bool Locked() const { return locked_; }
    void setLocked(bool locked);
    double Step() const { return step_; }
    void setStep(double step);

    QSize sizeHint() const override;
    // Where a value stands on the scale (x), and where a pointer is gripped.
    double xForValue(double value) const;
    QPointF grip(int pointer) const;

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("LGauge"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

signals:
    void PointerMoved();
    void PointerMoving();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Pointer {
        double value = 0;
        double lower = 0;
        double upper = 0;
        std::int16_t style = MarkerAbove;
        std::uint32_t color = 0x800000; // navy
    };
    struct Band {
        double lower = 0;
        double upper = 100;
        std::uint32_t color = 0xC0C0C0;
        std::int16_t top = 0;
        std::int16_t height = 100;
    };
    struct Geometry;
    Geometry geometry() const;
    Pointer& pointer();
    const Pointer& pointer() const;
    Band& band();
    const Band& band() const;
    double clamped(double value) const;
    void clampAll();
    // The pointer under a point, or -1.
    int pointerAt(const QPointF& point) const;
    double valueAt(double x) const;
    // The user's move of a pointer (a marker to a value, a band's lower end to
    // a value, its width kept): snapped, clamped; true when it moved
    // (PointerMoving raised).
    bool moveByUser(int index, double target);
    void raisePointerMoved(int index);
    // The pointer keys and the wheel move.
    int keyPointer() const;

    double min_ = 0;
    double max_ = 100;
    double step_ = 1;
    QString caption_;
    bool locked_ = false;
    std::vector<Pointer> pointers_;
    std::vector<Band> bands_;
    std::int16_t pointerIndex_ = 0;
    std::int16_t bandIndex_ = 0;
    // The pointer the user holds (-1: none); PointerIndex is set to it before
    // each event, since a handler may select other pointers.
    int grabbed_ = -1;
    int lastGrabbed_ = 0;
    bool movedInGesture_ = false;
    double grabOffset_ = 0;
};

} // namespace vsq::display
