#include "controls/common/property_page.h"

#include "controls/common/twips.h"

namespace vsq::controls {

namespace {

constexpr double kPageFontPoints = 7.5;

} // namespace

PropertyPage::PropertyPage(const QString& caption, int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setFixedSize(pixelsFromTwips(widthTwips), pixelsFromTwips(heightTwips));
    // The small face the twip layouts of pages are drawn for.
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(kPageFontPoints);
    setFont(small);
}

void PropertyPage::setSelectedControls(std::vector<Dispatchable*> controls) {
    selected_ = std::move(controls);
    if (!selected_.empty()) {
        SelectionChanged();
    }
}

void PropertyPage::setChanged(bool changed) {
    if (changed_ != changed) {
        changed_ = changed;
        emit changedChanged(changed);
    }
}

void PropertyPage::apply() {
    if (selected_.empty()) {
        return;
    }
    ApplyChanges();
    setChanged(false);
}

Dispatchable& PropertyPage::firstSelected() const {
    return *selected_.front();
}

void PropertyPage::place(QWidget& child, int left, int top, int width, int height) {
    child.setGeometry(pixelsFromTwips(QRect(left, top, width, height)));
}

} // namespace vsq::controls
