#include "app/shell/testing/scripted_dialogs.h"

namespace trelvane::testing {

MessageAnswer ScriptedDialogs::message(const MessageRequest& request) {
    messages.push_back(request);
    if (onMessage)
        onMessage(request);
    if (answers.empty()) {
        switch (request.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Yes;
        case MessageButtons::RetryCancel:
            return MessageAnswer::Retry;
        case MessageButtons::AbortRetryIgnore:
            return MessageAnswer::Abort;
        default:
            return MessageAnswer::Ok;
        }
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::fileName(const FileRequest& request) {
    fileRequests.push_back(request);
    if (fileNames.empty())
        return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

} // namespace trelvane::testing
