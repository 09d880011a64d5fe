#include "app/registers/readwrite_form.h"
#include "app/shell/core/app_globals.h"
#include "app/shell/core/registry_options.h"
#include "app/shell/main_form.h"
#include "app/shell/main_status.h"
#include "app/shell/testing/shell_test.h"

#include "platform/registry_store.h"
#include "platform/services.h"

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

class MainFormTest : public testing::ShellTest {
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
              QStringList({"File", "Register Access", "Visual Tools", "Help"}));
    EXPECT_EQ(main.mnuExit->text(), "Exit");
    EXPECT_EQ(main.AboutMnu->text(), "About");
}

TEST_F(MainFormTest, RegisterAccessShowsTheOneRegisterWindowAgainAfterItIsClosed) {
    TMainForm& main = load();
    main.RegAccessMenu->trigger();
    ReadWriteForm* shown = windows().find<ReadWriteForm>();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    shown->close();
    processEvents();
    EXPECT_FALSE(shown->isVisible());
    main.RegAccessMenu->trigger();
    EXPECT_EQ(windows().find<ReadWriteForm>(), shown);
    EXPECT_TRUE(shown->isVisible());
}

TEST_F(MainFormTest, WithNeitherRegistryKeyTheOptionsMenuIsHiddenAndTheOptionOff) {
    gEmulateFixedSilicon = true;
    TMainForm& main = load();
    EXPECT_FALSE(main.mnuOptions->menuAction()->isVisible());
    EXPECT_FALSE(gEmulateFixedSilicon);
    EXPECT_FALSE(main.mnuEmulateBugFix->isChecked());
}

TEST_F(MainFormTest, TogglingTheShownOptionStoresTrueThenFalse) {
    writeRegistryFile(std::string(kShowMenuTrue) + kEmulateKeyNoValue);
    TMainForm& main = load();
    EXPECT_EQ(visibleMenuBarEntries(main),
              QStringList({"File", "Register Access", "Visual Tools", "Options", "Help"}));
    EXPECT_TRUE(main.mnuEmulateBugFix->isVisible());
    EXPECT_FALSE(main.mnuEmulateBugFix->isChecked());

    main.mnuEmulateBugFix->trigger();
    EXPECT_TRUE(main.mnuEmulateBugFix->isChecked());
    EXPECT_TRUE(gEmulateFixedSilicon);
    EXPECT_EQ(storedEmulateValue(), "True");

    main.mnuEmulateBugFix->trigger();
    EXPECT_FALSE(gEmulateFixedSilicon);
    EXPECT_EQ(storedEmulateValue(), "False");
}

TEST_F(MainFormTest, WithoutTheOptionKeyTogglesHoldForTheRunOnly) {
    writeRegistryFile(kShowMenuTrue);
    TMainForm& main = load();
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

TEST_F(MainFormTest, ExitEndsTheProgramAtOnce) {
    TMainForm& main = windows().show<TMainForm>();
    main.mnuExit->trigger();
    EXPECT_TRUE(vsq::platform::quitRequested());
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(scripted().messages.empty());
}

TEST_F(MainFormTest, ClosingTheWindowEndsTheProgramAtOnce) {
    TMainForm& main = windows().show<TMainForm>();
    main.close();
    EXPECT_TRUE(vsq::platform::quitRequested());
    EXPECT_FALSE(main.isVisible());
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

} // namespace
} // namespace trelvane
