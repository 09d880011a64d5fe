#include "app/core/registry_options.h"

#include <QString>

namespace trelvane {

using vsq::platform::RegistryKey;
using vsq::platform::RegistryStore;

std::int32_t WriteRegistryValue(RegistryKey& key, const std::string& valueName,
                                std::int32_t valueType, const RegistryVariant& value) {
    if (valueType == kRegistryText) {
        std::string text;
        if (const auto* held = std::get_if<std::string>(&value))
            text = *held;
        else if (const auto* number = std::get_if<std::int32_t>(&value))
            text = std::to_string(*number);
        return key.set(valueName, text) ? kRegistryOk : kRegistryWriteFailed;
    }
    if (valueType == kRegistryNumber) {
        std::int32_t number = 0;
        if (const auto* held = std::get_if<std::int32_t>(&value)) {
            number = *held;
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            bool ok = false;
            number = QString::fromStdString(*text).trimmed().toInt(&ok);
            if (!ok)
                return kRegistryWriteFailed;
        }
        return key.set(valueName, static_cast<std::uint32_t>(number)) ? kRegistryOk
                                                                      : kRegistryWriteFailed;
    }
    return kRegistryOk;
}

std::int32_t ReadRegistryValue(const RegistryKey& key, const std::string& valueName,
                               RegistryVariant& value) {
    const auto stored = key.query(valueName);
    if (!stored)
        return kRegistryNotFound;
    if (const auto* text = std::get_if<std::string>(&*stored))
        value = *text;
    else
        value = static_cast<std::int32_t>(std::get<std::uint32_t>(*stored));
    return kRegistryOk;
}

void SaveRegistrySetting(const std::string& keyPath, const std::string& valueName,
                         const RegistryVariant& value, std::int32_t valueType) {
    if (auto key = RegistryStore::instance().open(keyPath))
        WriteRegistryValue(*key, valueName, valueType, value);
}

RegistryVariant LoadRegistrySetting(const std::string& keyPath, const std::string& valueName) {
    RegistryVariant value;
    if (auto key = RegistryStore::instance().open(keyPath))
        ReadRegistryValue(*key, valueName, value);
    return value;
}

bool TruthValue(const RegistryVariant& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number != 0;
    const auto* stored = std::get_if<std::string>(&value);
    if (!stored)
        return false;
    std::string text = *stored;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    const QString trimmed = QString::fromStdString(text).trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double number = trimmed.toDouble(&isNumber);
    return isNumber && number != 0.0;
}

} // namespace trelvane
