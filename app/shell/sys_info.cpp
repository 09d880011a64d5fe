#include "app/shell/sys_info.h"

#include "app/core/app_info.h"
#include "app/core/dialogs.h"
#include "platform/registry_store.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace trelvane {

bool GetKeyValue(const std::string& keyPath, const std::string& valueName, QString& text) {
    text.clear();
    const auto key = vsq::platform::RegistryStore::instance().open(keyPath);
    if (!key)
        return false;
    const auto value = key->query(valueName);
    if (!value)
        return false;
    if (const auto* stored = std::get_if<std::string>(&*value)) {
        std::string read = *stored;
        if (!read.empty() && read.back() == '\0')
            read.pop_back();
        text = QString::fromStdString(read);
    } else {
        text = QString::number(std::get<std::uint32_t>(*value));
    }
    return true;
}

void StartSysInfo() {
    QString path;
    if (!GetKeyValue(kSysInfoPathKey, kSysInfoPathValue, path)) {
        QString folder;
        if (GetKeyValue(kSysInfoFolderKey, kSysInfoFolderValue, folder)) {
            const QString candidate = QDir(folder).filePath(kSysInfoProgram);
            if (QFileInfo(candidate).isFile())
                path = candidate;
        }
    }
    if (!path.isEmpty() && QProcess::startDetached(path, {}))
        return;
    messageBox("System Information Is Unavailable At This Time", QString::fromUtf8(kAppTitle),
               MessageButtons::Ok, MessageIcon::None);
}

} // namespace trelvane
