#pragma once
// An object reached late, by member name or dispatch number, through its
// class's member table. The dispatch calls raise the failed status of the call
// as BasicError; statusOf() turns any call into a returned status instead:
//
//   panel.dispatchPut("Flag", false);                  // raises on failure
//   const CallStatus s = statusOf([&] { panel.dispatchPut("Flag", false); });
//   if (s.failed()) ...                                 // s.number, s.description
//
// Names are matched without regard to case, over the class's own table only.
// A name or number the class lacks, a read of a write-only property, a write of
// a read-only one or of a method fail with 438; a wrong argument count with 450.

#include "controls/common/basic_error.h"
#include "controls/common/member_table.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <utility>

namespace vsq::controls {

class Dispatchable {
public:
    virtual ~Dispatchable() = default;

    virtual const MemberTable& memberTable() const = 0;

    // The dispatch number of a member name (438 when the class has none).
    DispatchId dispatchIdOf(const QString& name) const;

    // Property read (a method without arguments may be read as well).
    QVariant dispatchGet(DispatchId id);
    QVariant dispatchGet(const QString& name);
    // Property write, the value converted to the property's type.
    void dispatchPut(DispatchId id, const QVariant& value);
    void dispatchPut(const QString& name, const QVariant& value);
    // Method call (a property may be called without arguments: a read).
    QVariant dispatchCall(DispatchId id, const QVariantList& args = {});
    QVariant dispatchCall(const QString& name, const QVariantList& args = {});

private:
    const Member& member(DispatchId id) const;
    const Member& member(const QString& name) const;
    QVariant get(const Member& member);
    void put(const Member& member, const QVariant& value);
    QVariant call(const Member& member, const QVariantList& args);
};

// The status of a call: number 0 for success, else the failure's number and
// description.
struct CallStatus {
    int number = 0;
    QString description;
    bool failed() const { return number != 0; }
};

template <class Call> CallStatus statusOf(Call&& call) {
    try {
        std::forward<Call>(call)();
        return {};
    } catch (const BasicError& error) {
        return {error.number(), QString::fromStdString(error.description())};
    }
}

} // namespace vsq::controls
