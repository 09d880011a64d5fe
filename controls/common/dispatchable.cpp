#include "controls/common/dispatchable.h"

namespace vsq::controls {

namespace {

[[noreturn]] void notSupported() {
    throw BasicError(ErrorNumber::MemberNotSupported);
}

// The member a look-up found; 438 when it found none.
const Member& supported(const Member* found) {
    if (found == nullptr) {
        notSupported();
    }
    return *found;
}

} // namespace

DispatchId Dispatchable::dispatchIdOf(const QString& name) const {
    return member(name).id;
}

QVariant Dispatchable::dispatchGet(DispatchId id) {
    return get(member(id));
}
QVariant Dispatchable::dispatchGet(const QString& name) {
    return get(member(name));
}

void Dispatchable::dispatchPut(DispatchId id, const QVariant& value) {
    put(member(id), value);
}
void Dispatchable::dispatchPut(const QString& name, const QVariant& value) {
    put(member(name), value);
}

QVariant Dispatchable::dispatchCall(DispatchId id, const QVariantList& args) {
    return call(member(id), args);
}
QVariant Dispatchable::dispatchCall(const QString& name, const QVariantList& args) {
    return call(member(name), args);
}

const Member& Dispatchable::member(DispatchId id) const {
    return supported(memberTable().find(id));
}

const Member& Dispatchable::member(const QString& name) const {
    return supported(memberTable().find(name));
}

QVariant Dispatchable::get(const Member& member) {
    if (member.kind == MemberKind::Method) {
        return member.invoke(*this, {});
    }
    if (!member.read) {
        notSupported();
    }
    return member.read(*this);
}

void Dispatchable::put(const Member& member, const QVariant& value) {
    if (!member.write) {
        notSupported();
    }
    member.write(*this, value);
}

QVariant Dispatchable::call(const Member& member, const QVariantList& args) {
    if (member.kind == MemberKind::Method) {
        return member.invoke(*this, args);
    }
    if (!args.isEmpty()) {
        throw BasicError(ErrorNumber::WrongArgumentCount);
    }
    return get(member);
}

} // namespace vsq::controls
