#include "controls/display/display_control.h"

namespace vsq::display {

using vsq::controls::PropertyBag;

DisplayControl::DisplayControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

DisplayControl::~DisplayControl() = default;

void DisplayControl::setToolTipText(const QString& text) {
    setToolTip(text);
    propertyChanged(QStringLiteral("ToolTipText"));
}

void DisplayControl::initProperties() {
    readProperties(PropertyBag{});
}

void DisplayControl::readToolTipText(const PropertyBag& bag) {
    setToolTip(bag.read<QString>("ToolTipText", QString()));
}

void DisplayControl::writeToolTipText(PropertyBag& bag) const {
    bag.write<QString>("ToolTipText", toolTip(), QString());
}

} // namespace vsq::display
