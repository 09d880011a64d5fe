#pragma once
// Dialogs for headless tests: every message box and file dialog is recorded,
// and answered from queues the test fills (OK or the first button, and an empty
// file name, when a queue is empty).

#include "app/core/dialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace trelvane::testing {

class ScriptedDialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    QString fileName(const FileRequest& request) override;

    std::deque<MessageAnswer> answers;
    std::deque<QString> fileNames;
    // Runs while a message box is "open", as a user's look at the screen would.
    std::function<void(const MessageRequest&)> onMessage;

    std::vector<MessageRequest> messages;
    std::vector<FileRequest> fileRequests;
};

} // namespace trelvane::testing
