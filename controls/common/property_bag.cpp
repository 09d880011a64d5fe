#include "controls/common/property_bag.h"

#include "controls/common/basic_error.h"

#include <QFont>
#include <QImage>

namespace vsq::controls {

void PropertyBag::write(const QString& key, const QVariant& value, const QVariant& defaultValue) {
    if (!isStorable(value)) {
        throw BasicError(ErrorNumber::TypeMismatch);
    }
    if (!basicEquals(value, defaultValue)) {
        entries_.push_back({key, value});
    }
}

QVariant PropertyBag::value(const QString& key, const QVariant& defaultValue) const {
    const Entry* entry = last(key);
    return entry == nullptr ? defaultValue : entry->value;
}

QVariantList PropertyBag::readAll(const QString& key) const {
    QVariantList values;
    for (const Entry& entry : entries_) {
        if (entry.key == key) {
            values.append(entry.value);
        }
    }
    return values;
}

void PropertyBag::append(const QString& key, const QVariant& value) {
    if (!isStorable(value)) {
        throw BasicError(ErrorNumber::TypeMismatch);
    }
    entries_.push_back({key, value});
}

bool PropertyBag::isStorable(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
    case QMetaType::Bool:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QFont:
    case QMetaType::QImage:
        return true;
    default:
        return false;
    }
}

const PropertyBag::Entry* PropertyBag::last(const QString& key) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->key == key) {
            return &*it;
        }
    }
    return nullptr;
}

} // namespace vsq::controls
