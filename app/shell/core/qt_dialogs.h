#pragma once
// The program's message boxes and file dialogs, shown with Qt over the active window.

#include "app/shell/core/dialogs.h"

namespace trelvane {

class QtDialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    QString fileName(const FileRequest& request) override;
};

} // namespace trelvane
