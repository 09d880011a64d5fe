#include "app/shell/main_status.h"

#include "app/core/window_registry.h"
#include "app/shell/main_form.h"

namespace trelvane {

QString gMainStatusText;

namespace {

void showInStatusBar(const QString& text) {
    if (TMainForm* main = WindowRegistry::current().find<TMainForm>())
        main->setStatusText(text);
}

} // namespace

void SetMainStatus(const QString& text) {
    gMainStatusText = text;
    showInStatusBar(text);
}

void ShowPercentDone(std::uint8_t percent) {
    showInStatusBar(gMainStatusText + " " + " " + QString::number(percent) + "%" + " done.");
}

} // namespace trelvane
