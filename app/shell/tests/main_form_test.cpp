#include "app/board/probes_frm.h"
#include "app/core/app_globals.h"
#include "app/core/registry_options.h"
#include "app/registers/readwrite_form.h"
#include "app/shell/main_form.h"
#include "app/shell/main_status.h"
#include "app/shell/testing/window_test.h"

#include "app/shell/settings/forms/eeprom_form.h"
#include "app/shell/settings/forms/save_recall_settings_form.h"
#include "comms/SMBusProtocall.h"
#include "controls/reginfo/qvsreginfo.h"
#include "platform/registry_store.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace trelvane {
namespace {

using vsq::platform::RegistryStore;

constexpr char kShowMenuTrue[] = "[SOFTWARE\\Ombrix\\VSQ5540 Evaluation Software\\Show Emulate "
                                 "Fixed Silicon Menu]\n\ts\tTrue\n";
constexpr char kEmulateKeyNoValue[] =
    "[SOFTWARE\\Ombrix\\VSQ5540 Evaluation Software\\Emulate Fixed Silicon]\n";

class MainFormTest : public testing::WindowTest {
protected:
    TMainForm& load() { return windows().load<TMainForm>(); }

    static QStringList visibleMenuBarEntries(TMainForm& main) {
        QStringList entries;
        for (QAction* entry : main.menuBar()->actions())
            if (entry->isVisible())
                entries << entry->text();
        return entries;
    }

    static std::string storedEmulateValue() {
        RegistryStore reread(RegistryStore::instance().filePath());
        auto key = reread.open(kEmulateFixedSiliconKey);
        if (!key)
            return "<no key>";
        auto value = key->query("");
        return value ? std::get<std::string>(*value) : "<no value>";
    }
};

TEST_F(MainFormTest, LoadsHiddenWithItsTitleAndTheMenusInUse) {
    TMainForm& main = load();
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.windowTitle(), "VSQ5540 Evaluation Software");
    EXPECT_EQ(visibleMenuBarEntries(main),
              QStringList({"File", "AutoSet", "Register Access", "Visual Tools", "Help"}));
    QStringList fileItems;
    for (const QAction* item : main.FileMnu->actions())
        fileItems << item->text();
    EXPECT_EQ(fileItems,
              QStringList({"Save Settings to File", "Recall Settings from File", "Exit"}));
    EXPECT_EQ(main.GenericSetupMnu->text(), "Generic Setup");
    EXPECT_EQ(main.EEPROMMnu->text(), "RAM/EEPROM");
    EXPECT_EQ(main.AboutMnu->text(), "About");
}

TEST_F(MainFormTest, RegisterAccessShowsTheOneRegisterWindowAgainAfterItIsClosed) {
    TMainForm& main = load();
    windows().setMdiHost([&main] { return main.mdiArea(); });
    main.RegAccessMenu->trigger();
    ReadWriteForm* shown = windows().find<ReadWriteForm>();
    ASSERT_NE(shown, nullptr);
    QWidget* subWindow = windows().frameOf(shown);
    ASSERT_NE(subWindow, shown);
    EXPECT_FALSE(subWindow->isHidden());
    subWindow->close(); // its close box
    processEvents();
    EXPECT_TRUE(subWindow->isHidden());
    main.RegAccessMenu->trigger();
    EXPECT_EQ(windows().find<ReadWriteForm>(), shown);
    EXPECT_FALSE(subWindow->isHidden());
}

TEST_F(MainFormTest, TheBoardCommandShowsTheBoardWindow) {
    TMainForm& main = load();
    EXPECT_EQ(main.EBCMnu->text(), "Evaluation Board Configuration");
    main.EBCMnu->trigger();
    ASSERT_NE(windows().find<ProbesFrm>(), nullptr);
    EXPECT_TRUE(windows().find<ProbesFrm>()->isVisible());
}

TEST_F(MainFormTest, WithNeitherRegistryKeyTheOptionsMenuIsHiddenAndTheOptionOff) {
    gEmulateFixedSilicon = true;
    TMainForm& main = load();
    EXPECT_FALSE(main.mnuOptions->menuAction()->isVisible());
    EXPECT_FALSE(gEmulateFixedSilicon);
    EXPECT_FALSE(main.mnuEmulateBugFix->isChecked());
}

TEST_F(MainFormTest, TogglingTheShownOptionStoresTrueThenFalseWhereItsKeyIsAndNowhereElse) {
    writeRegistryFile(std::string(kShowMenuTrue) + kEmulateKeyNoValue);
    TMainForm& main = load();
    EXPECT_EQ(visibleMenuBarEntries(main), QStringList({"File", "AutoSet", "Register Access",
                                                        "Visual Tools", "Options", "Help"}));
    EXPECT_TRUE(main.mnuEmulateBugFix->isVisible());
    EXPECT_FALSE(main.mnuEmulateBugFix->isChecked());

    main.mnuEmulateBugFix->trigger();
    EXPECT_TRUE(main.mnuEmulateBugFix->isChecked());
    EXPECT_TRUE(gEmulateFixedSilicon);
    EXPECT_EQ(storedEmulateValue(), "True");

    main.mnuEmulateBugFix->trigger();
    EXPECT_FALSE(gEmulateFixedSilicon);
    EXPECT_EQ(storedEmulateValue(), "False");

    // Without the option's key a toggle holds for the run only.
    writeRegistryFile(kShowMenuTrue);
    main.mnuEmulateBugFix->trigger();
    EXPECT_TRUE(gEmulateFixedSilicon);
    EXPECT_EQ(storedEmulateValue(), "<no key>");
}

TEST_F(MainFormTest, AHiddenMenuStillTakesTheOptionFromTheRegistry) {
    writeRegistryFile("[SOFTWARE\\Ombrix\\VSQ5540 Evaluation Software\\Show Emulate Fixed Silicon "
                      "Menu]\n\ts\tFalse\n"
                      "[SOFTWARE\\Ombrix\\VSQ5540 Evaluation Software\\Emulate Fixed Silicon]\n"
                      "\td\t1\n");
    TMainForm& main = load();
    EXPECT_FALSE(main.mnuOptions->menuAction()->isVisible());
    EXPECT_TRUE(gEmulateFixedSilicon);
    EXPECT_TRUE(main.mnuEmulateBugFix->isChecked());
}

TEST_F(MainFormTest, StatusBarShowsTheTextAndThePercentageAfterIt) {
    TMainForm& main = load();
    SetMainStatus("OK");
    EXPECT_EQ(main.statusText(), "OK");
    ShowPercentDone(50);
    EXPECT_EQ(main.statusText(), "OK  50% done.");
    ShowPercentDone(100);
    EXPECT_EQ(main.statusText(), "OK  100% done.");
    EXPECT_EQ(gMainStatusText, "OK");
    SetMainStatus("Generic Setup, setting up the VSQ5540 evaluation system, ");
    ShowPercentDone(7);
    EXPECT_EQ(main.statusText(),
              "Generic Setup, setting up the VSQ5540 evaluation system,   7% done.");
}

TEST_F(MainFormTest, TheFileCommandsShowTheSettingsDialogInTheirModeAndRamEepromTheEEPROMTool) {
    TMainForm& main = load();
    main.RecallSettingsmnu->trigger();
    EXPECT_EQ(windows().find<SaveRecallSettingsForm>()->windowTitle(), "Recall Settings");
    main.SaveSettingsmnu->trigger();
    EXPECT_EQ(windows().find<SaveRecallSettingsForm>()->windowTitle(), "Save Settings");
    mirelda::QVSRegInfo& panel = *windows().load<ReadWriteForm>().QVSRegInfo1;
    panel.setAutoRead(true);
    main.EEPROMMnu->trigger();
    ASSERT_NE(windows().find<EEPROMFRM>(), nullptr);
    EXPECT_TRUE(windows().find<EEPROMFRM>()->isVisible());
    EXPECT_FALSE(panel.AutoRead()); // the register window's panel stops reading
}

// Each frame waits a little, so the status bar can be watched between transfers.
TEST_F(MainFormTest, GenericSetupShowsItsProgressInTheStatusBarAndEndsWithOK) {
    protocol().setFrameDelay(0.001f);
    TMainForm& main = load();
    journal().clear();
    QStringList shown;
    vsq::platform::VirtualTime time;
    const auto previous = vsq::platform::setYieldHook([&](vsq::platform::YieldMode) {
        time.clock().advance(0.001);
        if (shown.isEmpty() || shown.back() != main.statusText())
            shown << main.statusText();
    });
    main.GenericSetupMnu->trigger();
    vsq::platform::setYieldHook(previous);

    const QString text = "Generic Setup, setting up the VSQ5540 evaluation system,   ";
    EXPECT_EQ(shown, QStringList({text + "0% done.", text + "20% done.", text + "40% done.",
                                  text + "60% done.", text + "80% done."}));
    EXPECT_EQ(main.statusText(), "OK");
    EXPECT_EQ(journal().count(1, vsq::sim::EventKind::Start), 176u);
}

} // namespace
} // namespace trelvane
