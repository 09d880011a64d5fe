// The register panel's layouts, its chart set-up and samples, and the design
// mode's property pages.

#include "controls/common/property_page_dialog.h"
#include "controls/common/twips.h"
#include "controls/reginfo/panel_layout.h"
#include "controls/reginfo/qvsreginfo.h"
#include "controls/reginfo/reginfo_pages.h"
#include "controls/reginfo/strip_chart_feed.h"
#include "controls/reginfo/whole_lines.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>

namespace mirelda {

using vsq::controls::pixelsFromTwips;

void QVSRegInfo::ArrangeLayout() {
    // Setting its own size resizes it again: that pass has nothing to add.
    if (arranging_) {
        return;
    }
    arranging_ = true;
    clearChart(*chart_);
    const PanelLayout layout = panelLayout(arrangeClump_, displayGraph_);
    setFixedSize(pixelsFromTwips(layout.panel.width()), pixelsFromTwips(layout.panel.height()));
    detailsFrame_->setGeometry(pixelsFromTwips(layout.detailsFrame));
    chartWidget_->move(pixelsFromTwips(layout.chartPosition.x()),
                       pixelsFromTwips(layout.chartPosition.y()));
    if (layout.chartSize) {
        chartWidget_->resize(pixelsFromTwips(layout.chartSize->width()),
                             pixelsFromTwips(layout.chartSize->height()));
    }
    detailsLabel_->resize(pixelsFromTwips(layout.detailsLabel.width()),
                          pixelsFromTwips(layout.detailsLabel.height()));
    valueCaption_->resize(pixelsFromTwips(layout.valueCaptionWidth), valueCaption_->height());
    fitRegisterDetails();
    arranging_ = false;
}

// Two lines at least where the label is low, in a face no smaller than 7 pt.
void QVSRegInfo::fitRegisterDetails() {
    detailsLabel_->setFont(faceForLines(font(), detailsLabel_->height(), 2));
    detailsLabel_->setText(wholeLines(detailsText_, detailsLabel_->font(), detailsLabel_->size()));
}

void QVSRegInfo::SetupGraph() {
    setUpChart(*chart_, wordFormat_, graphLogic_);
}

void QVSRegInfo::AddGraphSample() {
    feedChart(*chart_, rwValue_, wordFormat_, graphLogic_);
}

void QVSRegInfo::LogicCHK_Click() {
    graphLogic_ = logicCheck_->isChecked();
    SetupGraph();
}

void QVSRegInfo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeLayout();
}

vsq::controls::Dispatchable& QVSRegInfo::sideStrip() const {
    return *chart_;
}

void QVSRegInfo::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (!userMode()) {
        showPropertyPages();
    }
}

void QVSRegInfo::showPropertyPages() {
    vsq::controls::PropertyPageDialog dialog(makeRegInfoPages(), {this}, this);
    dialog.exec();
}

} // namespace mirelda
