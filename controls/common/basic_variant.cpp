#include "controls/common/basic_variant.h"

#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"

#include <optional>

namespace vsq::controls {

namespace {

// Numbers and Booleans as a 64-bit float; nothing for other values.
std::optional<double> numericValue(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
        return value.toDouble();
    default:
        return std::nullopt;
    }
}

bool isText(const QVariant& value) {
    return value.metaType().id() == QMetaType::QString;
}

std::u16string_view textOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

void throwTypeMismatch() {
    throw BasicError(ErrorNumber::TypeMismatch);
}

double toDouble(const QVariant& value) {
    if (!value.isValid()) {
        return 0;
    }
    if (const auto number = numericValue(value)) {
        return *number;
    }
    if (isText(value)) {
        const QString text = value.toString();
        return strictNumber(textOf(text));
    }
    throwTypeMismatch();
}

float toSingle(const QVariant& value) {
    return toSingle(toDouble(value));
}
std::int32_t toLong(const QVariant& value) {
    return toLong(toDouble(value));
}
std::uint32_t toUnsignedLong(const QVariant& value) {
    return toUnsignedLong(toDouble(value));
}
std::int16_t toInteger(const QVariant& value) {
    return toInteger(toDouble(value));
}
std::uint8_t toByte(const QVariant& value) {
    return toByte(toDouble(value));
}

bool toBoolean(const QVariant& value) {
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (text.compare(u"False", Qt::CaseInsensitive) == 0) {
            return false;
        }
    }
    return toDouble(value) != 0;
}

QString toText(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Float:
        return QString::fromStdU16String(generalFormat(value.toDouble(), 7));
    case QMetaType::Double:
        return QString::fromStdU16String(generalFormat(value.toDouble()));
    default:
        if (const auto number = numericValue(value)) {
            return QString::fromStdU16String(generalFormat(*number));
        }
        throwTypeMismatch();
    }
}

bool basicEquals(const QVariant& a, const QVariant& b) {
    if (!a.isValid() || !b.isValid()) {
        const QVariant& other = a.isValid() ? a : b;
        if (!other.isValid()) {
            return true;
        }
        if (const auto number = numericValue(other)) {
            return *number == 0;
        }
        return isText(other) && other.toString().isEmpty();
    }
    const auto left = numericValue(a);
    const auto right = numericValue(b);
    if (left && right) {
        return *left == *right;
    }
    if (isText(a) && isText(b)) {
        return a.toString() == b.toString();
    }
    return a == b;
}

} // namespace vsq::controls
