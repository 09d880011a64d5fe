#include "app/core/command_runner.h"

#include "app/core/dialogs.h"
#include "app/core/window_registry.h"

#include <QPointer>

#include <exception>
#include <vector>

namespace trelvane {
namespace {

// Disables the widgets for its lifetime; a widget destroyed meanwhile is skipped.
class BusyScope {
public:
    explicit BusyScope(std::initializer_list<QWidget*> widgets) {
        for (QWidget* widget : widgets) {
            widgets_.emplace_back(widget);
            widget->setEnabled(false);
        }
    }
    ~BusyScope() {
        for (const auto& widget : widgets_)
            if (widget)
                widget->setEnabled(true);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    std::vector<QPointer<QWidget>> widgets_;
};

} // namespace

bool runToolCommand(std::initializer_list<QWidget*> busy, const std::function<void()>& work) {
    const WindowRegistry::CommandHold hold;
    QString failure;
    {
        const BusyScope scope(busy);
        try {
            work();
            return true;
        } catch (const std::exception& error) {
            failure = QString::fromStdString(error.what());
        } catch (...) {
            failure = "Unknown error";
        }
    }
    // The window is usable again before the message shows.
    messageBox(failure, "Error", MessageButtons::Ok, MessageIcon::Critical);
    return false;
}

} // namespace trelvane
