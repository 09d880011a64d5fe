#pragma once
// The program's file dialog: Qt's own widgets (never the desktop's dialog) in
// the request's form (save or open), folder, caption and filter, naming and
// showing its entries by their kind and name alone (FileIconsByName), so that
// no listed file is ever opened: any folder lists, /proc and /sys included.

#include "app/core/dialogs.h"

#include <memory>

class QAbstractFileIconProvider;
class QFileDialog;
class QRect;
class QWidget;

namespace trelvane {

// The geometry of a dialog at `inner` whose frame at `frame` grows by
// `missing` pixels (if any) about its middle, within `available`: never wider
// than that (unless it already was), and moved in from an edge it would cross.
QRect widenedWithin(const QRect& frame, const QRect& inner, int missing, const QRect& available);

class FileDialog {
public:
    FileDialog(const FileRequest& request, QWidget* parent);
    ~FileDialog();
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    QFileDialog& dialog() { return *dialog_; }
    // Runs the dialog modal: the chosen path, or an empty text when nothing was chosen.
    QString exec();

private:
    // The dialog's file-information thread asks it until the dialog is gone.
    std::unique_ptr<QAbstractFileIconProvider> icons_;
    std::unique_ptr<QFileDialog> dialog_;
};

} // namespace trelvane
