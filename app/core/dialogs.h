#pragma once
// Every message box and file dialog of the program goes through the one
// installed `Dialogs`, so tests can answer them without a screen. The program
// uses `QtDialogs`; tests install a `ScriptedDialogs` (app/shell/testing).

#include <QString>

#include <memory>

namespace trelvane {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct MessageRequest {
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

enum class FileDialogMode { Open, Save };

struct FileRequest {
    FileDialogMode mode = FileDialogMode::Open;
    QString caption;
    // In Qt's form: "Text Files (*.txt)"; several filters joined by ";;".
    QString filter;
    QString initialPath;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a modal message box and returns the button the user chose.
    virtual MessageAnswer message(const MessageRequest& request) = 0;
    // Shows a modal file dialog; the chosen path, or an empty text when nothing was chosen.
    virtual QString fileName(const FileRequest& request) = 0;
};

// The installed dialogs; a `QtDialogs` until something else is installed.
Dialogs& dialogs();
// Installs `replacement` (nullptr restores the Qt dialogs) and returns the one before.
std::unique_ptr<Dialogs> installDialogs(std::unique_ptr<Dialogs> replacement);

// Shorthand for dialogs().message(...).
MessageAnswer messageBox(const QString& text, const QString& title,
                         MessageButtons buttons = MessageButtons::Ok,
                         MessageIcon icon = MessageIcon::None);

} // namespace trelvane
