#pragma once
// Basic-style conversions of late-bound values (QVariant) to the types of a
// control's fields: what a property write by name or number, a method argument
// and a property-bag read go through. An invalid QVariant is the Empty value
// (0, "" or False); a Boolean True is -1 as a number; a text converts to a
// number by its strict reading. Failures: Overflow (6), Type mismatch (13).

#include <QString>
#include <QVariant>

#include <cstdint>
#include <type_traits>

namespace vsq::controls {

double toDouble(const QVariant& value);
float toSingle(const QVariant& value);
std::int32_t toLong(const QVariant& value);
std::uint32_t toUnsignedLong(const QVariant& value);
std::int16_t toInteger(const QVariant& value);
std::uint8_t toByte(const QVariant& value);
// Numbers: nonzero is True; texts: "True" or "False" in any case, or a number.
bool toBoolean(const QVariant& value);
// Booleans: "True" or "False"; numbers: their general format.
QString toText(const QVariant& value);

// Basic equality: Empty equals 0, False and the empty text; numbers and
// Booleans compare by value; anything else by QVariant equality.
bool basicEquals(const QVariant& a, const QVariant& b);

// The value converted to T the way an assignment to a field of type T converts
// it. Enumerations go through their underlying type; types without a Basic
// conversion (fonts, pictures) must be held exactly, else Type mismatch.
template <class T> T fromVariant(const QVariant& value);

// A field's value as a late-bound value; enumerations as their underlying type.
template <class T> QVariant toVariant(const T& value) {
    if constexpr (std::is_enum_v<T>) {
        return QVariant::fromValue(static_cast<std::underlying_type_t<T>>(value));
    } else {
        return QVariant::fromValue(value);
    }
}

[[noreturn]] void throwTypeMismatch();

template <class T> T fromVariant(const QVariant& value) {
    if constexpr (std::is_same_v<T, QVariant>) {
        return value;
    } else if constexpr (std::is_enum_v<T>) {
        return static_cast<T>(fromVariant<std::underlying_type_t<T>>(value));
    } else if constexpr (std::is_same_v<T, bool>) {
        return toBoolean(value);
    } else if constexpr (std::is_same_v<T, std::uint8_t>) {
        return toByte(value);
    } else if constexpr (std::is_same_v<T, std::int16_t>) {
        return toInteger(value);
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return toLong(value);
    } else if constexpr (std::is_same_v<T, std::uint32_t>) {
        return toUnsignedLong(value);
    } else if constexpr (std::is_same_v<T, float>) {
        return toSingle(value);
    } else if constexpr (std::is_same_v<T, double>) {
        return toDouble(value);
    } else if constexpr (std::is_same_v<T, QString>) {
        return toText(value);
    } else {
        if (value.metaType() != QMetaType::fromType<T>()) {
            throwTypeMismatch();
        }
        return value.value<T>();
    }
}

} // namespace vsq::controls
