#pragma once
// A collection of a host's controls under string keys, as a control's method
// returns it late-bound: items counted from 1, each with its key.

#include <QMetaType>
#include <QString>

#include <utility>
#include <vector>

namespace vsq::controls {

class Control;

class ControlCollection {
public:
    void add(Control* control, const QString& key) { items_.emplace_back(key, control); }
    int Count() const { return static_cast<int>(items_.size()); }
    // Item 1 .. Count().
    Control* Item(int index) const { return items_.at(index - 1).second; }
    QString key(int index) const { return items_.at(index - 1).first; }

private:
    std::vector<std::pair<QString, Control*>> items_;
};

} // namespace vsq::controls

Q_DECLARE_METATYPE(vsq::controls::ControlCollection)
