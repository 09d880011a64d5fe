#include "app/core/file_dialog.h"

#include "app/core/file_icons_by_name.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMimeDatabase>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace trelvane {
namespace {

// The detail view's columns: name, size, type, date modified.
constexpr int kNameColumn = 0;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;
// On a small screen the Name column narrows, to no less than a name this long.
constexpr int kShortNameLength = 16;

QTreeView* detailsOf(QFileDialog& dialog) {
    return dialog.findChild<QTreeView*>();
}

int paddingOf(const QTreeView& details) {
    return 2 * details.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &details) +
           2 * details.fontMetrics().averageCharWidth();
}

// The filter lists text files and folders: room for a text file's type and
// for a date.
void roomForTypeAndDate(QTreeView& details) {
    QHeaderView& header = *details.header();
    const QString widest[] = {
        QMimeDatabase().mimeTypeForName("text/plain").comment(),
        QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat)};
    for (int column : {kTypeColumn, kDateColumn})
        header.resizeSection(
            column, std::max(header.sectionSize(column),
                             details.fontMetrics().horizontalAdvance(widest[column - kTypeColumn]) +
                                 paddingOf(details)));
}

// Once shown and laid out, the dialog grows (about its middle, within its
// screen) until every column shows whole, with room kept for the scroll bar
// that a long folder brings once listed. What the screen has no room for
// comes off the Name column.
void roomForColumns(QFileDialog& dialog, QTreeView& details) {
    const QScrollBar& scrollBar = *details.verticalScrollBar();
    const int room =
        details.viewport()->width() - (scrollBar.isVisible() ? 0 : scrollBar.sizeHint().width());
    QHeaderView& header = *details.header();
    const int missing = header.length() - room;
    const QRect inner = dialog.geometry();
    const QRect widened =
        widenedWithin(dialog.frameGeometry(), inner, missing, dialog.screen()->availableGeometry());
    dialog.setGeometry(widened);
    const int unmet = missing - (widened.width() - inner.width());
    const int name = header.sectionSize(kNameColumn);
    const int shortName =
        kShortNameLength * details.fontMetrics().averageCharWidth() + paddingOf(details);
    header.resizeSection(kNameColumn, std::min(name, std::max(name - unmet, shortName)));
}

// The asked folder, or the nearest folder above it that exists.
QString nearestFolder(const QString& path) {
    if (path.isEmpty())
        return path; // the working folder
    QFileInfo folder(path);
    while (!folder.isDir() && !folder.isRoot())
        folder.setFile(folder.absolutePath());
    return folder.absoluteFilePath();
}

} // namespace

QRect widenedWithin(const QRect& frame, const QRect& inner, int missing, const QRect& available) {
    const int width = std::max(frame.width(), std::min(frame.width() + missing, available.width()));
    QRect widened(frame.left() - (width - frame.width()) / 2, frame.top(), width, frame.height());
    if (widened.right() > available.right())
        widened.moveRight(available.right());
    if (widened.left() < available.left())
        widened.moveLeft(available.left());
    return inner.adjusted(widened.left() - frame.left(), 0, widened.right() - frame.right(), 0);
}

FileDialog::FileDialog(const FileRequest& request, QWidget* parent)
    : icons_(std::make_unique<FileIconsByName>()),
      // Made at the root folder, whose entries are folders: Qt's own
      // provider, in place until ours is set, finds no file there to read.
      dialog_(std::make_unique<QFileDialog>(parent, request.caption, QDir::rootPath(),
                                            request.filter)) {
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setIconProvider(icons_.get());
    if (request.mode == FileDialogMode::Save) {
        dialog_->setAcceptMode(QFileDialog::AcceptSave);
        dialog_->setFileMode(QFileDialog::AnyFile);
    } else {
        dialog_->setAcceptMode(QFileDialog::AcceptOpen);
        dialog_->setFileMode(QFileDialog::ExistingFile);
    }
    dialog_->setDirectory(nearestFolder(request.initialPath));
    if (QTreeView* details = detailsOf(*dialog_))
        roomForTypeAndDate(*details);
}

FileDialog::~FileDialog() {
    dialog_.reset(); // before the provider it asks
}

QString FileDialog::exec() {
    QTimer::singleShot(0, dialog_.get(), [this] {
        if (QTreeView* details = detailsOf(*dialog_))
            roomForColumns(*dialog_, *details);
    });
    if (dialog_->exec() != QDialog::Accepted)
        return {};
    return dialog_->selectedFiles().value(0);
}

} // namespace trelvane
