#include "app/shell/main_form.h"

#include "app/board/probes_frm.h"
#include "app/logicblocks/plbfrm.h"
#include "app/registers/readwrite_form.h"
#include "app/shell/about_form.h"
#include "app/core/app_globals.h"
#include "app/core/app_info.h"
#include "app/core/program_end.h"
#include "app/core/registry_options.h"
#include "app/core/window_registry.h"
#include "app/shell/main_status.h"
#include "app/shell/settings/forms/eeprom_form.h"
#include "app/shell/settings/forms/save_recall_settings_form.h"
#include "app/shell/settings/generic_setup.h"
#include "app/shell/window_look.h"
#include "app/tools/gpio_form.h"
#include "app/tools/pdo_form.h"
#include "app/tools/pfi_form.h"
#include "app/tools/programmable_delay_form.h"
#include "app/tools/wdi_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace trelvane {

TMainForm::TMainForm() {
    setObjectName("TMainForm");
    setWindowTitle(QString::fromUtf8(kAppTitle));

    mdiArea_ = newNamed<QMdiArea>("MDIClient", this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);

    statusLabel_ = newNamed<QLabel>("StatusBar", this);
    statusBar()->addWidget(statusLabel_, 1);
    statusBar()->setSizeGripEnabled(true);

    buildMenus();

    // Room for a few tool windows side by side, within the screen.
    QSize size(1100, 760);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.9);
    resize(size);
    centerOnScreen(this);
}

// The menus in menu-bar order. A tool window's menu item is added with the
// window itself; a menu-bar entry with no item in use is not shown.
void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();

    FileMnu = bar->addMenu("File");
    FileMnu->setObjectName("FileMnu");
    SaveSettingsmnu =
        FileMnu->addAction("Save Settings to File", [] { ShowSaveRecallSettings(true); });
    SaveSettingsmnu->setObjectName("SaveSettingsmnu");
    RecallSettingsmnu =
        FileMnu->addAction("Recall Settings from File", [] { ShowSaveRecallSettings(false); });
    RecallSettingsmnu->setObjectName("RecallSettingsmnu");
    mnuExit = FileMnu->addAction("Exit", this, &TMainForm::mnuExit_Click);
    mnuExit->setObjectName("mnuExit");

    AutoSetMnu = bar->addMenu("AutoSet");
    AutoSetMnu->setObjectName("AutoSetMnu");
    GenericSetupMnu =
        AutoSetMnu->addAction("Generic Setup", this, &TMainForm::GenericSetupMnu_Click);
    GenericSetupMnu->setObjectName("GenericSetupMnu");

    // A command on the menu bar itself.
    RegAccessMenu = bar->addAction("Register Access", this, [] {
        runOrStop([] { WindowRegistry::current().show<ReadWriteForm>(); });
    });
    RegAccessMenu->setObjectName("RegAccessMenu");

    buildVisualToolsMenu();

    mnuOptions = bar->addMenu("Options");
    mnuOptions->setObjectName("mnuOptions");
    mnuEmulateBugFix =
        mnuOptions->addAction("Emulate Silicon Bug Fix", this, &TMainForm::mnuEmulateBugFix_Click);
    mnuEmulateBugFix->setObjectName("mnuEmulateBugFix");
    mnuEmulateBugFix->setCheckable(true);

    HelpMnu = bar->addMenu("Help");
    HelpMnu->setObjectName("HelpMnu");
    AboutMnu = HelpMnu->addAction("About", this, &TMainForm::AboutMnu_Click);
    AboutMnu->setObjectName("AboutMnu");

    showOnlyMenusInUse();
}

namespace {

// Shows a tool window, loading it first when it is not loaded.
template <class Window> void showTool() {
    runOrStop([] { WindowRegistry::current().show<Window>(); });
}

} // namespace

void TMainForm::buildVisualToolsMenu() {
    VisToolsMenu = menuBar()->addMenu("Visual Tools");
    VisToolsMenu->setObjectName("VisToolsMenu");
    const auto add = [this](const char* name, const char* caption, void (*show)()) {
        QAction* item = VisToolsMenu->addAction(caption, this, show);
        item->setObjectName(name);
        return item;
    };
    PFIMnu = add("PFIMnu", "Supply Fault Detectors", showTool<PFIFRM>);
    GPIOMnu = add("GPIOMnu", "GPI's", showTool<GPIOFRM>);
    WatchdogMnu = add("WatchdogMnu", "Watchdog", showTool<WDIFRM>);
    PLBMnu = add("PLBMnu", "Programmable Logic Block", showTool<PLBFRM>);
    PDMnu = add("PDMnu", "Programmable Delays", showTool<ProgrammableDelayFRM>);
    PDOMnu = add("PDOMnu", "Programmable Driver Outputs", showTool<PDOFRM>);
    EEPROMMnu = VisToolsMenu->addAction("RAM/EEPROM", this, &TMainForm::EEPROMMnu_Click);
    EEPROMMnu->setObjectName("EEPROMMnu");
    EBCMnu = add("EBCMnu", "Evaluation Board Configuration", showTool<ProbesFrm>);
}

void TMainForm::showOnlyMenusInUse() {
    for (QAction* entry : menuBar()->actions()) {
        QMenu* menu = entry->menu();
        if (!menu || menu == mnuOptions)
            continue;
        bool inUse = false;
        for (const QAction* item : menu->actions())
            inUse = inUse || item->isVisible();
        entry->setVisible(inUse);
    }
}

void TMainForm::onLoad() {
    const bool showMenu =
        TruthValue(LoadRegistrySetting(kShowEmulateFixedSiliconMenuKey, std::string()));
    mnuOptions->menuAction()->setVisible(showMenu);
    mnuEmulateBugFix->setVisible(showMenu);

    // Read whether or not the menu is shown: the option works from the registry alone.
    gEmulateFixedSilicon = TruthValue(LoadRegistrySetting(kEmulateFixedSiliconKey, std::string()));
    mnuEmulateBugFix->setChecked(gEmulateFixedSilicon);
}

bool TMainForm::onQueryUnload() {
    endProgram();
    return false;
}

void TMainForm::setStatusText(const QString& text) {
    statusLabel_->setText(text);
}

QString TMainForm::statusText() const {
    return statusLabel_->text();
}

void TMainForm::mnuExit_Click() {
    endProgram();
}

void TMainForm::GenericSetupMnu_Click() {
    runOrStop([] {
        SetMainStatus("Generic Setup, setting up the VSQ5540 evaluation system, ");
        GenericSetup(ShowPercentDone);
        SetMainStatus("OK");
    });
}

void TMainForm::EEPROMMnu_Click() {
    runOrStop([] {
        // No timed read of the register access window's panel amid the EEPROM tool's work.
        StopRegisterPanelAutoRead();
        WindowRegistry::current().show<EEPROMFRM>();
    });
}

void TMainForm::mnuEmulateBugFix_Click() {
    // The action has already inverted its check mark.
    gEmulateFixedSilicon = mnuEmulateBugFix->isChecked();
    SaveRegistrySetting(kEmulateFixedSiliconKey, std::string(),
                        std::string(gEmulateFixedSilicon ? "True" : "False"), kRegistryText);
}

void TMainForm::AboutMnu_Click() {
    runOrStop([] { WindowRegistry::current().showModal<frmAbout>(); });
}

} // namespace trelvane
