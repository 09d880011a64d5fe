#include "controls/common/control_host.h"

#include "controls/common/control.h"

#include <algorithm>

namespace vsq::controls {

ControlHost::ControlHost(QWidget& window, QObject* parent) : QObject(parent), window_(window) {}

ControlHost::~ControlHost() {
    for (const Site& site : sites_) {
        site.control->host_ = nullptr;
    }
}

bool ControlHost::add(Control& control, const QString& name) {
    if (control.host_ != nullptr || find(name) != nullptr) {
        return false;
    }
    sites_.push_back({&control, name});
    control.host_ = this;
    return true;
}

void ControlHost::remove(Control& control) {
    std::erase_if(sites_, [&](const Site& site) { return site.control == &control; });
    if (control.host_ == this) {
        control.host_ = nullptr;
    }
}

std::vector<Control*> ControlHost::controls() const {
    std::vector<Control*> controls;
    controls.reserve(sites_.size());
    for (const Site& site : sites_) {
        controls.push_back(site.control);
    }
    return controls;
}

Control* ControlHost::find(const QString& name) const {
    const auto it = std::find_if(sites_.begin(), sites_.end(), [&](const Site& site) {
        return site.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == sites_.end() ? nullptr : it->control;
}

QString ControlHost::nameOf(const Control& control) const {
    for (const Site& site : sites_) {
        if (site.control == &control) {
            return site.name;
        }
    }
    return {};
}

void ControlHost::placeNew() {
    for (const Site& site : sites_) {
        site.control->initProperties();
    }
}

void ControlHost::readProperties(const PropertyBagFile& file) {
    for (const Site& site : sites_) {
        if (const PropertyBag* bag = file.find(site.name)) {
            site.control->readProperties(*bag);
        } else {
            site.control->initProperties();
        }
    }
}

PropertyBagFile ControlHost::writeProperties() {
    PropertyBagFile file;
    for (const Site& site : sites_) {
        site.control->writeProperties(file.bag(site.name));
    }
    return file;
}

bool ControlHost::load(const QString& path, QString& error) {
    const auto file = PropertyBagFile::load(path, error);
    if (!file) {
        return false;
    }
    readProperties(*file);
    return true;
}

bool ControlHost::save(const QString& path, QString& error) {
    if (!writeProperties().save(path, error)) {
        return false;
    }
    dirty_ = false;
    return true;
}

void ControlHost::notifyPropertyChanged(Control& control, const QString& propertyName) {
    dirty_ = true;
    emit propertyChanged(&control, propertyName);
}

} // namespace vsq::controls
