#pragma once
// The property pages of the selected controls in one dialog, one tab a page,
// with OK, Cancel and Apply. Apply is enabled while a page is changed; it
// applies every changed page, and a page whose apply fails says why in a
// message box and stays changed (OK then keeps the dialog open).

#include "controls/common/property_page.h"

#include <QDialog>

#include <memory>
#include <vector>

class QPushButton;
class QTabWidget;

namespace vsq::controls {

class PropertyPageDialog : public QDialog {
    Q_OBJECT
public:
    PropertyPageDialog(std::vector<std::unique_ptr<PropertyPage>> pages,
                       std::vector<Dispatchable*> selection, QWidget* parent = nullptr);

    PropertyPage& page(int index) const;
    int pageCount() const;
    bool applyEnabled() const;

    // Applies every changed page; false when one failed.
    bool applyAll();

private:
    void updateApply();

    QTabWidget* tabs_;
    QPushButton* applyButton_;
    std::vector<PropertyPage*> pages_;
};

} // namespace vsq::controls
