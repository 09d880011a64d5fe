#pragma once
// What the display controls with a tool tip share: a widget that is a control
// and takes the keyboard focus, its tool tip as the member ToolTipText (bag
// key "ToolTipText", default empty), and a new instance's values as read from
// an empty bag. Each control still lists ToolTipText in its own member table
// under its own dispatch number.

#include "controls/common/control.h"

#include <QString>
#include <QWidget>

namespace vsq::display {

class DisplayControl : public QWidget, public vsq::controls::Control {
    Q_OBJECT
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)

public:
    explicit DisplayControl(QWidget* parent = nullptr);
    ~DisplayControl() override;

    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& text);

    // vsq::controls::Control: every member at its default.
    void initProperties() override;

protected:
    void readToolTipText(const vsq::controls::PropertyBag& bag);
    void writeToolTipText(vsq::controls::PropertyBag& bag) const;
};

} // namespace vsq::display
