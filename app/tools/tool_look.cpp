#include "app/tools/tool_look.h"

#include <QHBoxLayout>

namespace trelvane {

QHBoxLayout* newButtonRow(std::initializer_list<QWidget*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}

} // namespace trelvane
