#include "controls/common/control.h"

#include "controls/common/control_host.h"

#include <QGuiApplication>

namespace vsq::controls {

Control::~Control() {
    if (host_ != nullptr) {
        host_->remove(*this);
    }
}

bool Control::userMode() const {
    return host_ == nullptr || host_->userMode();
}

QString Control::nameOnHost() const {
    return host_ == nullptr ? QString() : host_->nameOf(*this);
}

std::vector<Control*> Control::hostControls() const {
    return host_ == nullptr ? std::vector<Control*>{} : host_->controls();
}

QFont Control::ambientFont() const {
    return host_ == nullptr ? QGuiApplication::font() : host_->ambientFont();
}

void Control::propertyChanged(const QString& propertyName) {
    if (host_ != nullptr) {
        host_->notifyPropertyChanged(*this, propertyName);
    }
}

} // namespace vsq::controls
