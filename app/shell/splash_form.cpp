#include "app/shell/splash_form.h"

#include "app/shell/chip_picture.h"
#include "app/core/app_info.h"
#include "app/core/window_registry.h"
#include "app/shell/window_look.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

namespace trelvane {

frmSplash::frmSplash() {
    setObjectName("frmSplash");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowTitle(QString::fromUtf8(kAppTitle));

    auto* picture = new QLabel(this);
    picture->setPixmap(chipPicture(96));
    picture->setFixedSize(112, 112);
    picture->setAlignment(Qt::AlignCenter);

    lblProductName = newNamed<QLabel>("lblProductName", this);
    setFontScale(lblProductName, 1.8, true);
    lblProductName->setWordWrap(true);

    lblVersion = newNamed<QLabel>("lblVersion", this);
    setFontScale(lblVersion, 1.2, false);

    lblPlatform = newNamed<QLabel>("lblPlatform", "For Win 95/98/NT/2K/ME/XP", this);

    auto* maker = newNamed<QLabel>("lblCompany", "Ombrix", this);

    StatusLBL = newNamed<QLabel>("StatusLBL", "Status: Starting Up.", this);

    StatusProgress = newNamed<QProgressBar>("StatusProgress", this);
    StatusProgress->setRange(0, 90);
    StatusProgress->setTextVisible(false);
    StatusProgress->setFixedHeight(14);
    StatusProgress->setValue(0);

    for (QLabel* label : {lblProductName, lblVersion, lblPlatform, maker, StatusLBL})
        label->setStyleSheet("color: white; background: transparent;");

    auto* heading = new QVBoxLayout;
    heading->setSpacing(6);
    heading->addWidget(maker);
    heading->addWidget(lblProductName);
    heading->addWidget(lblVersion);
    heading->addWidget(lblPlatform);
    heading->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(20);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(heading, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 28, 28, 22);
    layout->setSpacing(10);
    layout->addLayout(top, 1);
    layout->addWidget(StatusLBL);
    layout->addWidget(StatusProgress);

    setFixedSize(560, 300);
    centerOnScreen(this);
}

void frmSplash::onLoad() {
    lblVersion->setText(QString::fromStdString(versionText()));
    lblProductName->setText(QString::fromUtf8(kAppTitle));
}

void frmSplash::repaintNow() {
    repaint();
    // A window that has only just been mapped is drawn once the windowing
    // system has exposed it: let that happen, but hold back user input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBackdrop(painter, rect());
    painter.setPen(QColor(120, 170, 220));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ShowSplashStatus(const QString& text) {
    frmSplash* splash = WindowRegistry::current().find<frmSplash>();
    if (!splash)
        return;
    splash->StatusProgress->setValue(splash->StatusProgress->value() + 10);
    splash->StatusLBL->setText("Status:  " + text);
    splash->repaintNow();
}

} // namespace trelvane
