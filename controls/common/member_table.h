#pragma once
// The member table of a control class: each member's name, dispatch number and
// kind (property or method), with typed accessors behind a late-bound face.
// One explicit table per class, built once from the class's own accessors:
//
//   const MemberTable& MyControl::memberTable() const {
//       static const MemberTable table{
//           propertyMember("Flag", 0x68030018, &MyControl::Flag, &MyControl::setFlag),
//           readOnlyPropertyMember("ScrollBars", 0x68030008, &MyControl::ScrollBars),
//           methodMember("ListQVSMControls", 0x6003004E, &MyControl::ListQVSMControls),
//       };
//       return table;
//   }
//
// A property's read and write share one dispatch number. Values written by name
// or number are converted to the accessor's parameter type the Basic way
// (basic_variant.h); enumerations travel as their underlying type.

#include "controls/common/basic_error.h"
#include "controls/common/basic_variant.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>
#include <vector>

namespace vsq::controls {

class Dispatchable;

using DispatchId = std::int32_t;

enum class MemberKind { Property, Method };

struct Member {
    QString name;
    DispatchId id = 0;
    MemberKind kind = MemberKind::Property;
    // Property read; empty for a write-only property and for methods.
    std::function<QVariant(Dispatchable&)> read;
    // Property write; empty for a read-only property and for methods.
    std::function<void(Dispatchable&, const QVariant&)> write;
    // Method call with its arguments.
    std::function<QVariant(Dispatchable&, const QVariantList&)> invoke;
};

class MemberTable {
public:
    // Names must differ without regard to case, and dispatch numbers must differ
    // (a table that breaks this is a programming error: std::logic_error).
    MemberTable(std::initializer_list<Member> members);

    // By name, without regard to case; null when the class has no such member.
    const Member* find(const QString& name) const;
    const Member* find(DispatchId id) const;

    const std::vector<Member>& members() const { return members_; }

private:
    std::vector<Member> members_;
};

namespace detail {

template <class C> C& self(Dispatchable& object) {
    return static_cast<C&>(object);
}

template <class R, class Call> QVariant resultOf(Call&& call) {
    if constexpr (std::is_void_v<R>) {
        std::forward<Call>(call)();
        return {};
    } else {
        return toVariant<std::remove_cvref_t<R>>(std::forward<Call>(call)());
    }
}

template <class... A, class Call, std::size_t... I>
QVariant callWithArguments(const QVariantList& args, Call&& call, std::index_sequence<I...>) {
    if (args.size() != static_cast<qsizetype>(sizeof...(A))) {
        throw BasicError(ErrorNumber::WrongArgumentCount);
    }
    return call(fromVariant<std::remove_cvref_t<A>>(args[static_cast<qsizetype>(I)])...);
}

template <class C, class Getter> std::function<QVariant(Dispatchable&)> reader(Getter getter) {
    return [getter](Dispatchable& object) {
        return toVariant<std::remove_cvref_t<decltype((self<C>(object).*getter)())>>(
            (self<C>(object).*getter)());
    };
}

template <class C, class U>
std::function<void(Dispatchable&, const QVariant&)> writer(void (C::*setter)(U)) {
    return [setter](Dispatchable& object, const QVariant& value) {
        (self<C>(object).*setter)(fromVariant<std::remove_cvref_t<U>>(value));
    };
}

} // namespace detail

// A read-write property: getter `T Name() const` (or non-const when reading has
// effects) and setter `void setName(U)`.
template <class C, class T, class U>
Member propertyMember(const QString& name, DispatchId id, T (C::*getter)() const,
                      void (C::*setter)(U)) {
    return {name, id, MemberKind::Property, detail::reader<C>(getter), detail::writer(setter), {}};
}
template <class C, class T, class U>
Member propertyMember(const QString& name, DispatchId id, T (C::*getter)(), void (C::*setter)(U)) {
    return {name, id, MemberKind::Property, detail::reader<C>(getter), detail::writer(setter), {}};
}

template <class C, class T>
Member readOnlyPropertyMember(const QString& name, DispatchId id, T (C::*getter)() const) {
    return {name, id, MemberKind::Property, detail::reader<C>(getter), {}, {}};
}

namespace detail {

template <class C, class R, class... A, class Function>
std::function<QVariant(Dispatchable&, const QVariantList&)> invoker(Function function) {
    return [function](Dispatchable& object, const QVariantList& args) {
        C& target = self<C>(object);
        return callWithArguments<A...>(
            args,
            [&](auto&&... converted) {
                return resultOf<R>([&] { return (target.*function)(converted...); });
            },
            std::index_sequence_for<A...>{});
    };
}

} // namespace detail

// A method `R Name(A...)`; its arguments are converted to the parameter types.
template <class C, class R, class... A>
Member methodMember(const QString& name, DispatchId id, R (C::*function)(A...)) {
    return {name, id, MemberKind::Method, {}, {}, detail::invoker<C, R, A...>(function)};
}
template <class C, class R, class... A>
Member methodMember(const QString& name, DispatchId id, R (C::*function)(A...) const) {
    return {name, id, MemberKind::Method, {}, {}, detail::invoker<C, R, A...>(function)};
}

} // namespace vsq::controls
