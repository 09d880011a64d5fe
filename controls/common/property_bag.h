#pragma once
// The stored settings of one control on its host: values under string keys.
// A value is written together with its default and kept only when it differs
// from it (Basic equality); an absent key reads as the default given; a typed
// read converts the stored value to the field's type (Overflow, Type mismatch).
// A key may be written more than once: every entry is kept in order, a read
// returns the last one, readAll() every one.
//
// Storable values: Empty, Boolean, Byte (quint8), Integer (qint16), Long
// (qint32), Single (float), Double, String (QString), Font (QFont) and Picture
// (QImage); writing any other type fails with Type mismatch.

#include "controls/common/basic_variant.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <type_traits>
#include <vector>

namespace vsq::controls {

class PropertyBag {
public:
    struct Entry {
        QString key;
        QVariant value;
        bool operator==(const Entry&) const = default;
    };

    void write(const QString& key, const QVariant& value, const QVariant& defaultValue);
    template <class T>
    void write(const QString& key, const T& value, const std::type_identity_t<T>& defaultValue) {
        write(key, toVariant(value), toVariant(defaultValue));
    }

    // The last value stored under the key, as stored, or the default.
    QVariant value(const QString& key, const QVariant& defaultValue = {}) const;
    // The same, converted to T.
    template <class T>
    T read(const QString& key, const std::type_identity_t<T>& defaultValue) const {
        const Entry* entry = last(key);
        return entry == nullptr ? defaultValue : fromVariant<T>(entry->value);
    }
    // Every value stored under the key, in the order written.
    QVariantList readAll(const QString& key) const;

    bool contains(const QString& key) const { return last(key) != nullptr; }
    bool isEmpty() const { return entries_.empty(); }
    const std::vector<Entry>& entries() const { return entries_; }

    // Adds an entry as it stands (used when a stored bag is read back).
    void append(const QString& key, const QVariant& value);

    bool operator==(const PropertyBag&) const = default;

    // Whether a value of this type can be kept in a bag.
    static bool isStorable(const QVariant& value);

private:
    const Entry* last(const QString& key) const;

    std::vector<Entry> entries_;
};

} // namespace vsq::controls
