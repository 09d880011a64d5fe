#pragma once
// One of the manager library's companion records: a name and a version, kept
// as copies of the texts given. Clients receive it from a ControlManager and
// never create one themselves; nothing in the manager reads it.

#include <QString>

#include <memory>

namespace orvessa {

class Identity {
public:
    void setVersion(const QString& version) { version_ = version; }
    QString Version() const { return version_; }
    void setName(const QString& name) { name_ = name; }
    QString Name() const { return name_; }

private:
    friend class ControlManager;
    Identity() = default;
    static std::shared_ptr<Identity> create();

    QString version_;
    QString name_;
};

} // namespace orvessa
