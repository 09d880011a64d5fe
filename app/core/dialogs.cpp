#include "app/core/dialogs.h"

#include "app/core/qt_dialogs.h"

namespace trelvane {
namespace {

std::unique_ptr<Dialogs>& installed() {
    static std::unique_ptr<Dialogs> current;
    return current;
}

} // namespace

Dialogs& dialogs() {
    auto& current = installed();
    if (!current)
        current = std::make_unique<QtDialogs>();
    return *current;
}

std::unique_ptr<Dialogs> installDialogs(std::unique_ptr<Dialogs> replacement) {
    auto previous = std::move(installed());
    installed() = std::move(replacement);
    return previous;
}

MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                         MessageIcon icon) {
    return dialogs().message({text, title, buttons, icon});
}

} // namespace trelvane
