#include "controls/common/property_bag_file.h"

#include "platform/file_replacement.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QImage>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

namespace vsq::controls {

namespace {

// Each character that is escaped, and the letter after the backslash that stands for it.
constexpr std::pair<char16_t, char16_t> kEscapes[] = {
    {u'\\', u'\\'},
    {u'\t', u't'},
    {u'\n', u'n'},
    {u'\r', u'r'},
};

QString escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [&](const auto& pair) { return pair.first == c; });
        if (escape == std::end(kEscapes)) {
            out += c;
        } else {
            out += u'\\';
            out += escape->second;
        }
    }
    return out;
}

std::optional<QString> unescaped(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [&](const auto& pair) { return pair.second == text[i]; });
        if (escape == std::end(kEscapes)) {
            return std::nullopt;
        }
        out += escape->first;
    }
    return out;
}

QString exactNumber(double value, int digits) {
    // As printf's %g in the "C" locale, whatever locale the program runs under.
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits)
            .ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

QString pictureText(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(png.toBase64());
}

// Type name and value text of a storable value.
std::pair<QString, QString> encoded(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return {QStringLiteral("Boolean"), toText(value)};
    case QMetaType::UChar:
        return {QStringLiteral("Byte"), QString::number(value.value<uchar>())};
    case QMetaType::Short:
        return {QStringLiteral("Integer"), QString::number(value.value<short>())};
    case QMetaType::Int:
        return {QStringLiteral("Long"), QString::number(value.toInt())};
    case QMetaType::Float:
        return {QStringLiteral("Single"), exactNumber(value.toFloat(), 9)};
    case QMetaType::Double:
        return {QStringLiteral("Double"), exactNumber(value.toDouble(), 17)};
    case QMetaType::QString:
        return {QStringLiteral("String"), escaped(value.toString())};
    case QMetaType::QFont:
        return {QStringLiteral("Font"), escaped(value.value<QFont>().toString())};
    case QMetaType::QImage:
        return {QStringLiteral("Picture"), pictureText(value.value<QImage>())};
    default:
        return {QStringLiteral("Empty"), QString()};
    }
}

std::optional<QVariant> decoded(const QString& type, const QString& text) {
    bool ok = true;
    QVariant value;
    if (type == u"Empty") {
        ok = text.isEmpty();
    } else if (type == u"Boolean") {
        ok = text == u"True" || text == u"False";
        value = text == u"True";
    } else if (type == u"Byte") {
        const uint number = text.toUInt(&ok);
        ok = ok && number <= 255;
        value = QVariant::fromValue(static_cast<uchar>(number));
    } else if (type == u"Integer") {
        value = QVariant::fromValue(text.toShort(&ok));
    } else if (type == u"Long") {
        value = QVariant::fromValue(text.toInt(&ok));
    } else if (type == u"Single") {
        value = QVariant::fromValue(text.toFloat(&ok));
    } else if (type == u"Double") {
        value = QVariant::fromValue(text.toDouble(&ok));
    } else if (type == u"String") {
        const auto plain = unescaped(text);
        ok = plain.has_value();
        value = plain.value_or(QString());
    } else if (type == u"Font") {
        const auto description = unescaped(text);
        QFont font;
        ok = description.has_value() && font.fromString(*description);
        value = font;
    } else if (type == u"Picture") {
        QImage image;
        ok = image.loadFromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
        value = image;
    } else {
        ok = false;
    }
    return ok ? std::optional<QVariant>(value) : std::nullopt;
}

} // namespace

const PropertyBag* PropertyBagFile::find(const QString& controlName) const {
    for (const Section& section : sections_) {
        if (section.first == controlName) {
            return &section.second;
        }
    }
    return nullptr;
}

PropertyBag& PropertyBagFile::bag(const QString& controlName) {
    for (Section& section : sections_) {
        if (section.first == controlName) {
            return section.second;
        }
    }
    sections_.emplace_back(controlName, PropertyBag());
    return sections_.back().second;
}

QString PropertyBagFile::toText() const {
    QString text;
    for (const auto& [name, bag] : sections_) {
        text += u'[' + escaped(name) + QStringLiteral("]\n");
        for (const PropertyBag::Entry& entry : bag.entries()) {
            const auto [type, value] = encoded(entry.value);
            text += escaped(entry.key) + u'\t' + type + u'\t' + value + u'\n';
        }
    }
    return text;
}

std::optional<PropertyBagFile> PropertyBagFile::fromText(const QString& text, QString& error) {
    PropertyBagFile file;
    PropertyBag* current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const auto fail = [&](const QString& why) {
            error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            return std::nullopt;
        };
        if (line.isEmpty()) {
            continue;
        }
        if (line.startsWith(u'[')) {
            const auto name = unescaped(line.mid(1, line.size() - 2));
            if (!line.endsWith(u']') || line.size() < 2 || !name) {
                return fail(QStringLiteral("a control's name must stand in brackets"));
            }
            current = &file.bag(*name);
            continue;
        }
        if (current == nullptr) {
            return fail(QStringLiteral("a value stands before any control's name"));
        }
        const QStringList fields = line.split(u'\t');
        const auto key = fields.size() == 3 ? unescaped(fields[0]) : std::nullopt;
        if (!key) {
            return fail(QStringLiteral("expected a key, a type and a value split by tabs"));
        }
        const auto value = decoded(fields[1], fields[2]);
        if (!value) {
            return fail(QStringLiteral("\"%1\" is no value of type %2").arg(fields[2], fields[1]));
        }
        current->append(*key, *value);
    }
    return file;
}

std::optional<PropertyBagFile> PropertyBagFile::load(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    auto parsed = fromText(QString::fromUtf8(file.readAll()), error);
    if (!parsed) {
        error = path + QStringLiteral(", ") + error;
    }
    return parsed;
}

bool PropertyBagFile::save(const QString& path, QString& error) const {
    if (const auto failure =
            vsq::platform::replaceFileContents(path.toStdString(), toText().toStdString())) {
        error = path + QStringLiteral(": ") + QString::fromStdString(*failure);
        return false;
    }
    return true;
}

} // namespace vsq::controls
