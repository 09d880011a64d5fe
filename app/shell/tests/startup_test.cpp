#include "app/board/probes_frm.h"
#include "app/core/program_end.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/object_descriptors.h"
#include "app/registers/readwrite_form.h"
#include "app/shell/main_form.h"
#include "app/shell/splash_form.h"
#include "app/tools/gpio_form.h"
#include "app/tools/pdo_form.h"
#include "app/tools/pfi_form.h"
#include "app/tools/programmable_delay_form.h"
#include "app/tools/wdi_form.h"
#include "board_test.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBusProtocall.h"
#include "controls/manager/qvsmanager.h"
#include "platform/parallel_port_driver.h"
#include "platform/parport/parport_backend.h"
#include "platform/services.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QProgressBar>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace trelvane {
namespace {

// Records what the splash's status label shows each time it is painted, with
// the progress bar's value at that moment.
class SplashRecorder : public QObject {
public:
    SplashRecorder() { qApp->installEventFilter(this); }
    ~SplashRecorder() override { qApp->removeEventFilter(this); }

    std::vector<std::pair<QString, int>> shown;
    int maximum = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == "StatusLBL") {
            auto* label = static_cast<QLabel*>(watched);
            auto* bar = label->parentWidget()->findChild<QProgressBar*>("StatusProgress");
            std::pair<QString, int> now{label->text(), bar ? bar->value() : -1};
            if (shown.empty() || shown.back() != now)
                shown.push_back(now);
            if (bar)
                maximum = bar->maximum();
        }
        return false;
    }
};

// A test may name another port driver library or backend; the next test finds
// them as the program does.
class StartupTest : public testing::BoardTest {
protected:
    void TearDown() override {
        vsq::platform::ParallelPortDriver::instance().setLibraryName(library_);
        if (backend_.empty())
            ::unsetenv("VSQ_PARPORT");
        else
            ::setenv("VSQ_PARPORT", backend_.c_str(), 1);
        vsq::parport::useParportBackend(nullptr);
        BoardTest::TearDown();
    }

private:
    const std::string library_ = vsq::platform::ParallelPortDriver::instance().libraryName();
    const std::string backend_ = std::getenv("VSQ_PARPORT") ? std::getenv("VSQ_PARPORT") : "";
};

TEST_F(StartupTest, TheSplashShowsEachStatusLineInOrderWithProgressInStepsOfTen) {
    SplashRecorder recorder;
    startUp();
    // clang-format off
    const std::vector<std::pair<QString, int>> expected = {
        {"Status: Starting Up.", 0}, {"Status:  Loading Main Program", 10},
        {"Status:  Loading Object Descriptors", 20},
        {"Status:  Loading Programmable Driver Output Tool", 30},
        {"Status:  Loading Power Fail Inputs Tool", 40},
        {"Status:  Loading Programmable Logic Block Tool", 50},
        {"Status:  Loading Programmable Delay Tool", 60},
        {"Status:  Loading Generic Communications Tool", 70},
        {"Status:  Loading Evaluation Board Configuration Tool", 80}, {"Status:  Done", 90},
    };
    // clang-format on
    EXPECT_EQ(recorder.shown, expected);
    EXPECT_EQ(recorder.maximum, 90); // ten for each status line
}

TEST_F(StartupTest, AfterStartUpTheWizardIsShownOverTheHiddenMainWindow) {
    InitForm& wizard = startUp();
    EXPECT_EQ(windows().find<frmSplash>(), nullptr);
    ASSERT_NE(windows().find<TMainForm>(), nullptr);
    EXPECT_FALSE(windows().find<TMainForm>()->isVisible());
    // The register access window is loaded hidden, its manager already polling.
    const ReadWriteForm* registers = windows().find<ReadWriteForm>();
    ASSERT_NE(registers, nullptr);
    EXPECT_FALSE(registers->isVisible());
    EXPECT_TRUE(registers->QVSManager1->pollTimerActive());
    ASSERT_NE(windows().find<ProbesFrm>(), nullptr);
    EXPECT_FALSE(windows().find<ProbesFrm>()->isVisible());
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_EQ(wizard.windowTitle(), "VSQ5540 Search Wizard");
    EXPECT_EQ(wizard.CurrentStep(), 1);
    EXPECT_FALSE(wizard.BackCMD->isEnabled());
    EXPECT_TRUE(wizard.NextCMD->isEnabled());
    EXPECT_FALSE(wizard.FinishCMD->isEnabled());
    EXPECT_TRUE(scripted().messages.empty());
}

TEST_F(StartupTest, StartUpSetsTheChipAddressThePortAndTheDescriptors) {
    startUp();
    EXPECT_EQ(gChipAddress, 0xA8);
    auto printerPort = gComPort().PrinterPort();
    EXPECT_TRUE(printerPort->DataInverted());
    EXPECT_EQ(printerPort->PortAddress(), 888);
    EXPECT_EQ(gBPFI1.AddrGlitchRangeFault(), 0xA4);
    EXPECT_EQ(gHV.AddrOverVoltThreshold(), 0xB0);
    EXPECT_EQ(gPFI1.AddrDigitalHysteresisOnUVT(), 0xBB);
    // The wizard holds data lines D2 and D3 high from its load on.
    EXPECT_EQ(printerPort->SMBusProtocall()->BitsToStayHigh(), 0x0C);
}

TEST_F(StartupTest, StartUpLoadsThreeToolsHiddenReadingTheChipWithoutWritingIt) {
    startUp();
    EXPECT_FALSE(windows().load<PDOFRM>().isVisible());
    EXPECT_FALSE(windows().load<PFIFRM>().isVisible());
    EXPECT_FALSE(windows().load<ProgrammableDelayFRM>().isVisible());
    EXPECT_EQ(windows().find<GPIOFRM>(), nullptr);
    EXPECT_EQ(windows().find<WDIFRM>(), nullptr);
    // Bytes after the chip's address: a command byte, then A9 for a read or the data.
    const auto bytes = pc().journal().bytes(1);
    std::size_t chipWrites = 0;
    for (std::size_t i = 0; i + 2 < bytes.size(); ++i)
        if (bytes[i] == 0xA8 && bytes[i + 2] != 0xA9)
            ++chipWrites;
    EXPECT_EQ(chipWrites, 0u);
}

TEST_F(StartupTest, TheVisualToolsMenuShowsEachToolInsideTheMainWindow) {
    startUp();
    TMainForm& main = windows().load<TMainForm>();
    QStringList captions;
    for (const QAction* item : main.VisToolsMenu->actions())
        captions << item->text();
    EXPECT_EQ(captions, QStringList({"Supply Fault Detectors", "GPI's", "Watchdog",
                                     "Programmable Logic Block", "Programmable Delays",
                                     "Programmable Driver Outputs", "RAM/EEPROM",
                                     "Evaluation Board Configuration"}));
    main.GPIOMnu->trigger();
    main.WatchdogMnu->trigger();
    ASSERT_NE(windows().find<GPIOFRM>(), nullptr);
    EXPECT_FALSE(windows().find<GPIOFRM>()->isHidden()); // the main window is not shown yet
    EXPECT_FALSE(windows().find<WDIFRM>()->isHidden());
    // The six windows start-up loads, and the two just opened.
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 8);
}

TEST_F(StartupTest, AMissingPortDriverStopsTheProgramWithAMessageNamingTheFailure) {
    vsq::platform::ParallelPortDriver::instance().setLibraryName("libvsq-no-such-driver.so");
    runOrStop(Main);
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_FALSE(scripted().messages[0].text.isEmpty());
    EXPECT_EQ(scripted().messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(vsq::platform::quitRequested());
    EXPECT_EQ(windows().find<InitForm>(), nullptr);
}

TEST_F(StartupTest, AnUnknownPortDriverNameStopsTheProgramAsAMissingDriverDoes) {
    ::setenv("VSQ_PARPORT", "lpt", 1);
    vsq::parport::useParportBackend(nullptr); // chosen again from VSQ_PARPORT
    ::testing::internal::CaptureStderr();
    runOrStop(Main);
    const std::string said = ::testing::internal::GetCapturedStderr();
    const QString why = "unknown parallel-port driver \"lpt\" (VSQ_PARPORT: sim or ppdev)";
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, why);
    EXPECT_EQ(said, "VSQ5540 Evaluation Software: " + why.toStdString() + "\n");
    EXPECT_TRUE(vsq::platform::quitRequested());
}

} // namespace
} // namespace trelvane
