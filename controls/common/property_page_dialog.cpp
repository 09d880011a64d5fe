#include "controls/common/property_page_dialog.h"

#include "controls/common/basic_error.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vsq::controls {

PropertyPageDialog::PropertyPageDialog(std::vector<std::unique_ptr<PropertyPage>> pages,
                                       std::vector<Dispatchable*> selection, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(tr("Property Pages"));
    tabs_->setUsesScrollButtons(false); // every page's tab in view
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    applyButton_ = buttons->button(QDialogButtonBox::Apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    for (auto& page : pages) {
        PropertyPage* raw = page.release(); // owned through the tab widget
        pages_.push_back(raw);
        tabs_->addTab(raw, raw->caption());
        connect(raw, &PropertyPage::changedChanged, this, [this] { updateApply(); });
        raw->setSelectedControls(selection);
    }
    connect(applyButton_, &QPushButton::clicked, this, [this] { applyAll(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (applyAll()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateApply();
}

PropertyPage& PropertyPageDialog::page(int index) const {
    return *pages_.at(static_cast<std::size_t>(index));
}

int PropertyPageDialog::pageCount() const {
    return static_cast<int>(pages_.size());
}

bool PropertyPageDialog::applyEnabled() const {
    return applyButton_->isEnabled();
}

bool PropertyPageDialog::applyAll() {
    for (PropertyPage* page : pages_) {
        if (!page->Changed()) {
            continue;
        }
        const CallStatus status = statusOf([&] { page->apply(); });
        if (status.failed()) {
            tabs_->setCurrentWidget(page);
            QMessageBox::warning(this, page->caption(), status.description);
            return false;
        }
    }
    return true;
}

void PropertyPageDialog::updateApply() {
    applyButton_->setEnabled(
        std::any_of(pages_.begin(), pages_.end(), [](PropertyPage* p) { return p->Changed(); }));
}

} // namespace vsq::controls
