#pragma once
// The program's message boxes and file dialogs, shown with Qt over the active window.

#include "app/core/dialogs.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace trelvane {

// The message box of a request, over `parent`: its icon, text and buttons,
// the first button the default, and never narrower than its title needs.
std::unique_ptr<QMessageBox> newMessageBox(const MessageRequest& request, QWidget* parent);

class QtDialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    QString fileName(const FileRequest& request) override;
};

} // namespace trelvane
