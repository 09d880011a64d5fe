#pragma once
// What a host window offers the controls it carries: design or user mode, each
// control's name on the host, the controls in the host's order, the ambient
// font, and the "property changed" notification, which marks the host's stored
// settings dirty. It also places its controls (new instance, or read back from
// their property bags) and keeps their bags in the window's settings file.
//
//   ControlHost host(window);
//   host.add(decimalBox, "DecValueTXT");
//   host.add(manager, "QVSManager1");
//   if (!host.load(path, error)) host.placeNew();   // or readProperties(file)
//   ...
//   host.save(path, error);
//
// The host does not own its controls (their Qt parents do); a control that is
// destroyed leaves its host, and a host that is destroyed releases its controls.

#include "controls/common/property_bag_file.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QWidget>

#include <vector>

namespace vsq::controls {

class Control;

class ControlHost : public QObject {
    Q_OBJECT
public:
    explicit ControlHost(QWidget& window, QObject* parent = nullptr);
    ~ControlHost() override;

    QWidget& window() const { return window_; }

    // User mode (run time) by default; design mode otherwise.
    bool userMode() const { return userMode_; }
    void setUserMode(bool userMode) { userMode_ = userMode; }

    // Puts a control on the host at the end of its order under a name. False
    // when the control is on a host already or the name (without regard to
    // case) is taken.
    bool add(Control& control, const QString& name);
    void remove(Control& control);

    std::vector<Control*> controls() const;
    // By name, without regard to case; null when absent.
    Control* find(const QString& name) const;
    QString nameOf(const Control& control) const;
    // The window's font.
    QFont ambientFont() const { return window_.font(); }

    bool isDirty() const { return dirty_; }
    void setDirty(bool dirty) { dirty_ = dirty; }

    // Every control as a new instance.
    void placeNew();
    // Every control from its bag in the file; a control without one as a new
    // instance. A failing read raises its failed status (BasicError).
    void readProperties(const PropertyBagFile& file);
    // Every control's bag, in the host's order.
    PropertyBagFile writeProperties();

    // The same through the window's settings file. Loading a file that is
    // missing or cannot be parsed fails with `error` set and reads nothing; a
    // successful save marks the host clean.
    bool load(const QString& path, QString& error);
    bool save(const QString& path, QString& error);

signals:
    void propertyChanged(vsq::controls::Control* control, const QString& propertyName);

private:
    friend class Control;
    void notifyPropertyChanged(Control& control, const QString& propertyName);

    struct Site {
        Control* control;
        QString name;
    };

    QWidget& window_;
    std::vector<Site> sites_;
    bool userMode_ = true;
    bool dirty_ = false;
};

} // namespace vsq::controls
