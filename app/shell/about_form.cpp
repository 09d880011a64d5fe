#include "app/shell/about_form.h"

#include "app/shell/chip_picture.h"
#include "app/core/app_info.h"
#include "app/core/window_registry.h"
#include "app/shell/sys_info.h"
#include "app/shell/window_look.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trelvane {

frmAbout::frmAbout() {
    setObjectName("frmAbout");
    setModal(true);

    picIcon = newNamed<QLabel>("picIcon", this);
    picIcon->setPixmap(chipPicture(64));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle = newNamed<QLabel>("lblTitle", this);
    setFontScale(lblTitle, 1.4, true);

    lblVersion = newNamed<QLabel>("lblVersion", this);

    lblDescription = newNamed<QLabel>("lblDescription",
                                      "This software will help you to evaluate the VSQ5540 ASIC. "
                                      "Supporting Win95/98/ME/NT/2K/XP operating systems. ",
                                      this);
    lblDescription->setWordWrap(true);

    auto* rule = newHorizontalRule(this);

    lblDisclaimer =
        newNamed<QLabel>("lblDisclaimer",
                         "Warning: this program is protected by copyright law. Reproducing or "
                         "distributing it, or any part of it, without authorisation is prohibited.",
                         this);
    lblDisclaimer->setWordWrap(true);

    cmdOK = newNamed<QPushButton>("cmdOK", "OK", this);
    cmdOK->setDefault(true);
    cmdSysInfo = newNamed<QPushButton>("cmdSysInfo", "&System Info...", this);
    for (QPushButton* button : {cmdOK, cmdSysInfo})
        button->setMinimumWidth(110);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    // Escape or the close box: the about box goes as with OK.
    connect(this, &QDialog::finished, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, [] { StartSysInfo(); });

    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(6);
    texts->addWidget(lblDescription);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picIcon);
    top->addLayout(texts, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(rule);
    layout->addLayout(bottom);

    setMinimumWidth(520);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    useFixedDialogFrame(this);
}

void frmAbout::onLoad() {
    setWindowTitle("About the" + QString::fromUtf8(kAppTitle));
    lblVersion->setText(QString::fromStdString(versionText()));
    lblTitle->setText(QString::fromUtf8(kAppTitle));
}

void frmAbout::cmdOK_Click() {
    WindowRegistry::current().unload<frmAbout>();
}

} // namespace trelvane
