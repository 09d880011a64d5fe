#include "app/core/qt_dialogs.h"

#include "app/core/file_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include <utility>
#include <vector>

namespace trelvane {
namespace {

using Choice = std::pair<QMessageBox::StandardButton, MessageAnswer>;

std::vector<Choice> choicesOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return {{QMessageBox::Ok, MessageAnswer::Ok}};
    case MessageButtons::OkCancel:
        return {{QMessageBox::Ok, MessageAnswer::Ok}, {QMessageBox::Cancel, MessageAnswer::Cancel}};
    case MessageButtons::YesNo:
        return {{QMessageBox::Yes, MessageAnswer::Yes}, {QMessageBox::No, MessageAnswer::No}};
    case MessageButtons::YesNoCancel:
        return {{QMessageBox::Yes, MessageAnswer::Yes},
                {QMessageBox::No, MessageAnswer::No},
                {QMessageBox::Cancel, MessageAnswer::Cancel}};
    case MessageButtons::RetryCancel:
        return {{QMessageBox::Retry, MessageAnswer::Retry},
                {QMessageBox::Cancel, MessageAnswer::Cancel}};
    case MessageButtons::AbortRetryIgnore:
        return {{QMessageBox::Abort, MessageAnswer::Abort},
                {QMessageBox::Retry, MessageAnswer::Retry},
                {QMessageBox::Ignore, MessageAnswer::Ignore}};
    }
    return {{QMessageBox::Ok, MessageAnswer::Ok}};
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// What a frame's title bar takes besides the title: its icon, its close
// button and their margins.
constexpr int kTitleBarAllowance = 140;

} // namespace

std::unique_ptr<QMessageBox> newMessageBox(const MessageRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(qtIcon(request.icon), request.title, request.text,
                                             QMessageBox::NoButton, parent);
    const auto choices = choicesOf(request.buttons);
    for (const auto& [button, answer] : choices)
        box->addButton(button);
    box->setDefaultButton(choices.front().first);
    // A box sizes itself to its text; a short text would clip the title.
    QFont titleFont = box->font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(request.title);
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(titleWidth + kTitleBarAllowance, 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

MessageAnswer QtDialogs::message(const MessageRequest& request) {
    const auto box = newMessageBox(request, QApplication::activeWindow());
    const auto choices = choicesOf(request.buttons);
    const auto chosen = static_cast<QMessageBox::StandardButton>(box->exec());
    for (const auto& [button, answer] : choices)
        if (button == chosen)
            return answer;
    // Closed from its frame: the answer of its cancelling button, else of its only one.
    for (const auto& [button, answer] : choices)
        if (answer == MessageAnswer::Cancel)
            return answer;
    return choices.back().second;
}

QString QtDialogs::fileName(const FileRequest& request) {
    return FileDialog(request, QApplication::activeWindow()).exec();
}

} // namespace trelvane
