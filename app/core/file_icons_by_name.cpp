#include "app/core/file_icons_by_name.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeDatabase>

namespace trelvane {
namespace {

bool isDrive(const QFileInfo& info) {
    const QString path = info.absoluteFilePath();
    return path.isEmpty() || QDir(path).isRoot();
}

QMimeType typeByName(const QFileInfo& info) {
    return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}

} // namespace

FileIconsByName::FileIconsByName()
    : drive_(icon(Drive)), folder_(icon(Folder)), file_(icon(File)) {}

QIcon FileIconsByName::icon(const QFileInfo& info) const {
    if (isDrive(info))
        return drive_;
    if (info.isDir())
        return folder_;
    const QMimeType type = typeByName(info);
    if (type.isDefault())
        return file_;
    return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), file_));
}

// The texts of Qt's own provider, but a file's type from its name.
QString FileIconsByName::type(const QFileInfo& info) const {
    if (isDrive(info))
        return QGuiApplication::translate("QAbstractFileIconProvider", "Drive");
    if (info.isDir())
        return QGuiApplication::translate("QAbstractFileIconProvider", "Folder",
                                          "All other platforms");
    if (info.isFile()) {
        const QMimeType type = typeByName(info);
        return type.comment().isEmpty() ? type.name() : type.comment();
    }
    if (info.isSymLink())
        return QGuiApplication::translate("QAbstractFileIconProvider", "Shortcut",
                                          "All other platforms");
    return QGuiApplication::translate("QAbstractFileIconProvider", "Unknown");
}

} // namespace trelvane
