#pragma once
// Names and icons for the file dialog's entries taken from each entry's kind
// (folder, file, drive) and name alone. Qt's own provider guesses a file's type
// from its content, and reading a listed file can block for good (a kernel
// file under /proc or /sys waits for data that never comes); this one never
// opens a listed file. Its answers may be asked for from the dialog's
// file-information thread.

#include <QFileIconProvider>
#include <QIcon>

namespace trelvane {

class FileIconsByName : public QFileIconProvider {
public:
    FileIconsByName();

    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    // Made on the UI thread, shared from here on.
    QIcon drive_;
    QIcon folder_;
    QIcon file_;
};

} // namespace trelvane
