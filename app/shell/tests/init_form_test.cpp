#include "app/core/qt_dialogs.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/about_form.h"
#include "app/shell/main_form.h"
#include "board_test.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"
#include "platform/os_version.h"
#include "platform/services.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>

namespace trelvane {
namespace {

using vsq::sim::AdapterPolarity;
using vsq::sim::PortConfig;
using vsq::sim::SimConfig;

constexpr char kNoneFound[] =
    "Sorry, no VSQ5540s were found. Please check all connections and try again";

SimConfig portsConfig(std::vector<PortConfig> ports) {
    SimConfig config;
    config.ports = std::move(ports);
    return config;
}

class InitFormTest : public testing::BoardTest {
protected:
    // Whether the bus carried a write of `data` to `reg` addressed to `device`,
    // acknowledged or not.
    bool busSawWrite(int bus, const char* device, const char* reg, const char* data) {
        const QString text = QString::fromStdString(pc().journal().text(bus));
        const QRegularExpression frame(QString("S %1. %2. %3. P").arg(device, reg, data));
        return text.contains(frame);
    }
    TMainForm& mainWindow() { return *windows().find<TMainForm>(); }
};

TEST_F(InitFormTest, OnePortWithTheChipAtA8ListsExactlyOneEntryAndFinishConfiguresIt) {
    powerUp({});
    InitForm& wizard = startUp();
    wizard.NextCMD->click();
    EXPECT_EQ(wizard.CurrentStep(), 2);
    EXPECT_TRUE(wizard.BackCMD->isEnabled());
    wizard.NextCMD->click();
    EXPECT_EQ(wizard.CurrentStep(), 4);

    EXPECT_EQ(entries(wizard), QStringList{printerEntry("54", "378", 1)});
    EXPECT_EQ(wizard.SearchResultsLIST->currentRow(), 0);
    EXPECT_EQ(wizard.SearchResultsLBL->text(), "Please select one of the VSQ5540s found above.");
    EXPECT_EQ(wizard.SearchInsLBL->text(), "Click 'Finish' to Continue");
    EXPECT_TRUE(wizard.FinishCMD->isEnabled());
    EXPECT_FALSE(wizard.NextCMD->isEnabled());
    // The chip answers with inverted data only: one find.
    EXPECT_EQ(wizard.search().FoundCount, 1);
    EXPECT_EQ(wizard.search().FoundInverted, std::vector<bool>{true});

    // Leave the library on another polarity, so Finish must restore it.
    gComPort().PrinterPort()->SMBusProtocall()->setDataInverted(false);
    pc().journal().clear();
    wizard.FinishCMD->click();
    EXPECT_EQ(gChipAddress, 0xA8);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddress(), 0x378);
    EXPECT_TRUE(gComPort().PrinterPort()->SMBusProtocall()->DataInverted());
    EXPECT_EQ(gComPort().PrinterPort()->SMBusProtocall()->DeviceAddress(), 0xA8);
    EXPECT_EQ(gComPort().PortType(), 0);
    EXPECT_TRUE(busSawWrite(1, "A8", "90", "01"));
    EXPECT_EQ(pc().chip(1).registerValue(0x90), 0x01);

    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_EQ(mainWindow().windowTitle(), "VSQ5540 Evaluation Software");
    EXPECT_EQ(windows().find<InitForm>(), nullptr);
    EXPECT_FALSE(vsq::platform::quitRequested());
}

TEST_F(InitFormTest, TheSearchWritesTheBoardDacThenReadsTheIdentityInBothPolarities) {
    powerUp({});
    InitForm& wizard = startUp();
    // Loading holds the board's data lines D2 and D3 high on every byte written.
    EXPECT_EQ(gComPort().PrinterPort()->SMBusProtocall()->BitsToStayHigh(), 0x0C);
    pc().journal().clear();
    search(wizard);
    const std::string bus = pc().journal().text(1);
    // The DAC word goes first, then eight identity reads (four addresses, two polarities),
    // of which only the inverted read at 0xA8 is answered.
    EXPECT_EQ(bus.find("S 1A+ 21+ 23+ 5A+ P"), 0u) << bus;
    const QString text = QString::fromStdString(bus);
    EXPECT_EQ(text.count(QRegularExpression("A9. 3E")), 1) << bus;
    EXPECT_EQ(wizard.SearchProgress->value(), 0);
}

TEST_F(InitFormTest, WithNoChipTheWizardSaysSoAndFinishStartsWithCommunicationsDisabled) {
    powerUp({});
    pc().setDevicePresent(1, 0xA8, false);
    InitForm& wizard = startUp();
    search(wizard);
    EXPECT_TRUE(entries(wizard).isEmpty());
    EXPECT_EQ(wizard.SearchResultsLBL->text(), kNoneFound);
    EXPECT_EQ(wizard.SearchInsLBL->text(), "Click Back to continue or click Finish to start the "
                                           "software without being configured correctly.");
    EXPECT_TRUE(wizard.FinishCMD->isEnabled());

    pc().journal().clear();
    wizard.FinishCMD->click();
    EXPECT_EQ(mainWindow().windowTitle(),
              "VSQ5540 Evaluation Software, Communications are Disabled");
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_EQ(gComPort().PrinterPort()->PortAddress(), 888);
    EXPECT_EQ(gChipAddress, 0xA8);
    // Still written, as ever, at the start-up chip address.
    EXPECT_TRUE(busSawWrite(1, "A8", "90", "01"));
}

TEST_F(InitFormTest, TheChipAt5COnTheSecondPortIsConfiguredAndOnlyItIsWritten) {
    powerUp(portsConfig({{0x378, false}, {0x278, true, 0x5C}}));
    InitForm& wizard = startUp();
    search(wizard);
    EXPECT_EQ(entries(wizard), QStringList{printerEntry("2E", "278", 1)});

    pc().chip(2).setRegisterValue(0x90, 0x00);
    pc().journal().clear();
    wizard.FinishCMD->click();
    EXPECT_EQ(gChipAddress, 0x5C);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddressIndex(), 1);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddress(), 0x278);
    EXPECT_TRUE(gComPort().PrinterPort()->SMBusProtocall()->DataInverted());
    // UPDCFG reaches the chosen chip, and no write goes to 0xA8 on any port.
    EXPECT_TRUE(busSawWrite(2, "5C", "90", "01"));
    EXPECT_EQ(pc().chip(2).registerValue(0x90), 0x01);
    EXPECT_FALSE(busSawWrite(1, "A8", "90", "01"));
    EXPECT_FALSE(busSawWrite(2, "A8", "90", "01"));
    EXPECT_EQ(mainWindow().windowTitle(), "VSQ5540 Evaluation Software");
}

TEST_F(InitFormTest, ANonInvertingAdapterIsFoundWithPlainDataAndFinishKeepsIt) {
    powerUp(portsConfig({{0x378, true, 0xA8, AdapterPolarity::NonInverting}}));
    InitForm& wizard = startUp();
    search(wizard);
    EXPECT_EQ(entries(wizard), QStringList{printerEntry("54", "378", 1)});
    EXPECT_EQ(wizard.search().FoundInverted, std::vector<bool>{false});
    wizard.FinishCMD->click();
    EXPECT_FALSE(gComPort().PrinterPort()->SMBusProtocall()->DataInverted());
    EXPECT_TRUE(busSawWrite(1, "A8", "90", "01"));
    EXPECT_EQ(pc().chip(1).registerValue(0x90), 0x01);
}

TEST_F(InitFormTest, TheTenthFindIsChosenByItsWholeNumber) {
    std::vector<PortConfig> ports;
    const std::uint16_t bases[] = {0x378,  0x278,  0x3BC,  0x2BC,  0x8000,
                                   0x8010, 0x9000, 0xA000, 0xB000, 0xC000};
    for (std::uint16_t base : bases)
        ports.push_back({base, true, 0xA8});
    ports.back().chipAddress = 0x5E;
    powerUp(portsConfig(ports));
    InitForm& wizard = startUp();
    search(wizard);
    const QStringList found = entries(wizard);
    ASSERT_EQ(found.size(), 10);
    EXPECT_EQ(found[9], printerEntry("2F", "C000", 10));

    wizard.SearchResultsLIST->setCurrentRow(9);
    wizard.FinishCMD->click();
    EXPECT_EQ(mainWindow().windowTitle(), "VSQ5540 Evaluation Software");
    EXPECT_EQ(gChipAddress, 0x5E);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddressIndex(), 9);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddress(), 0xC000);
    EXPECT_TRUE(busSawWrite(10, "5E", "90", "01"));
}

TEST_F(InitFormTest, BackFromTheResultsClearsTheFindsSoTheNextSearchListsOnlyItsOwn) {
    powerUp({});
    InitForm& wizard = startUp();
    search(wizard);
    ASSERT_EQ(entries(wizard).size(), 1);
    wizard.BackCMD->click();
    EXPECT_EQ(wizard.CurrentStep(), 2);
    EXPECT_TRUE(entries(wizard).isEmpty());
    EXPECT_EQ(wizard.search().FoundCount, 0);
    EXPECT_TRUE(wizard.NextCMD->isEnabled());
    EXPECT_FALSE(wizard.FinishCMD->isEnabled());

    pc().setDevicePresent(1, 0xA8, false);
    wizard.NextCMD->click();
    EXPECT_TRUE(entries(wizard).isEmpty());
    EXPECT_EQ(wizard.SearchResultsLBL->text(), kNoneFound);
}

TEST_F(InitFormTest, NextWithoutAMediumAsksForOneAndStaysOnThePage) {
    powerUp({});
    InitForm& wizard = startUp();
    wizard.NextCMD->click();
    wizard.PPCheck->setChecked(false);
    wizard.NextCMD->click();
    EXPECT_EQ(wizard.CurrentStep(), 2);
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, "Please select a search medium");
    EXPECT_EQ(scripted().messages[0].title, "A problem was detected");
    EXPECT_EQ(scripted().messages[0].icon, MessageIcon::None);
}

TEST_F(InitFormTest, CancelOrClosingBeforeFinishEndsTheProgram) {
    powerUp({});
    InitForm& wizard = startUp();
    wizard.CancelCMD->click();
    EXPECT_TRUE(vsq::platform::quitRequested());
    EXPECT_FALSE(wizard.isVisible());
}

// The close guard on each page: `page` reached by Next from the welcome page.
class InitFormClose : public InitFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(InitFormClose, ClosingTheWizardEndsTheProgram) {
    powerUp({});
    InitForm& wizard = startUp();
    for (int step = 1; step < GetParam(); ++step)
        wizard.NextCMD->click();
    ASSERT_EQ(wizard.CurrentStep(), GetParam());
    wizard.close();
    EXPECT_TRUE(vsq::platform::quitRequested());
    EXPECT_EQ(windows().find<InitForm>(), nullptr);
}

TEST_F(InitFormTest, EnterPressesNextThenFinishWhichHoldTheFocusAndSpaceStartsNothingElse) {
    powerUp({});
    InitForm& wizard = startUp();
    EXPECT_EQ(wizard.focusWidget(), wizard.NextCMD);
    QTest::keyClick(wizard.focusWidget(), Qt::Key_Space); // presses Next, not Cancel
    EXPECT_EQ(wizard.CurrentStep(), 2);
    QTest::keyClick(wizard.focusWidget(), Qt::Key_Return); // Next: the search
    EXPECT_EQ(wizard.CurrentStep(), 4);
    EXPECT_EQ(wizard.focusWidget(), wizard.FinishCMD);
    EXPECT_TRUE(wizard.FinishCMD->isDefault());
    QTest::keyClick(wizard.SearchResultsLIST, Qt::Key_Enter); // Finish, from the list too
    EXPECT_EQ(gChipAddress, 0xA8);
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_FALSE(vsq::platform::quitRequested());
}

TEST_F(InitFormTest, EscapeIsCancel) {
    powerUp({});
    InitForm& wizard = startUp();
    QTest::keyClick(wizard.focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(vsq::platform::quitRequested());
}

TEST_F(InitFormTest, FixedSizeDialogsOfferNeitherMinimiseNorMaximise) {
    powerUp({});
    InitForm& wizard = startUp();
    frmAbout& about = windows().load<frmAbout>();
    for (QWidget* dialog : std::initializer_list<QWidget*>{&wizard, &about}) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << dialog->objectName().toStdString();
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint));
    }
    EXPECT_EQ(wizard.minimumSize(), wizard.maximumSize());
}

TEST_F(InitFormTest, AMessageBoxWithAShortTextIsWideEnoughForItsTitle) {
    const auto box =
        newMessageBox({"Please select a search medium", "A problem was detected"}, nullptr);
    box->show();
    const int title = QFontMetrics(box->font()).horizontalAdvance("A problem was detected");
    EXPECT_GE(box->width(), title + 100);
    box->hide();
}

INSTANTIATE_TEST_SUITE_P(EveryPageButTheSearch, InitFormClose, ::testing::Values(1, 2, 4));

TEST_F(InitFormTest, ClosingTheWizardDuringTheSearchIsRefused) {
    powerUp({});
    InitForm& wizard = startUp();
    wizard.NextCMD->click();
    int stepAtClose = 0;
    bool closed = true;
    // The progress bar moves while the search runs: try to close the wizard then.
    QObject::connect(wizard.SearchProgress, &QProgressBar::valueChanged, &wizard, [&] {
        if (stepAtClose != 0)
            return;
        stepAtClose = wizard.CurrentStep();
        closed = wizard.close();
    });
    wizard.NextCMD->click();
    EXPECT_EQ(stepAtClose, 3) << "the close came while the search ran";
    EXPECT_FALSE(closed);
    EXPECT_FALSE(vsq::platform::quitRequested());
    EXPECT_EQ(wizard.CurrentStep(), 4) << "the search ran to its results";
    EXPECT_EQ(windows().find<InitForm>(), &wizard);
}

TEST_F(InitFormTest, TheMediumPageOfThisSystemOffersOnlyThePrinterPort) {
    powerUp({});
    InitForm& wizard = startUp();
    EXPECT_EQ(wizard.PPSearchDescLBL->text(),
              "Remember to connect the VSQ5540 evaluation board to the printer port");
    EXPECT_EQ(wizard.SMBusSearchDescLBL->text(),
              "Sorry, SMBus communication is only supported on Windows 95,98 and ME.");
    EXPECT_EQ(wizard.SMBusSearchDescLBL->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_FALSE(wizard.SMBusCheck->isEnabled());
    EXPECT_FALSE(wizard.SMBusCheck->isChecked());
    EXPECT_FALSE(wizard.SMBusBaseAddressTXT->isEnabled());
    EXPECT_EQ(wizard.USBSearchDescLBL->text(), "Connect the evaluation board to the printer port");
    EXPECT_TRUE(wizard.PPCheck->isChecked());
    EXPECT_EQ(wizard.SearchMediumInstLBL->text(), "Click 'Next' to search for the VSQ5540.");
    EXPECT_EQ(wizard.WelcomeLBL->text(), "This VSQ5540 Search Wizard will find any VSQ5540s "
                                         "that can be controlled by this software");
}

TEST_F(InitFormTest, OnAWindows95BuildTheSMBusIsOfferedWithItsBaseAndUSBIsRefused) {
    powerUp({});
    vsq::platform::OsVersionInfo windows95;
    windows95.platformId = 1;
    windows95.majorVersion = 4;
    windows95.buildNumber = 950;
    vsq::platform::overrideOsVersion(windows95);
    InitForm& wizard = startUp();
    EXPECT_EQ(wizard.SMBusSearchDescLBL->text(), "The Southbridge or ICH of Intel chipsets.");
    EXPECT_EQ(wizard.SMBusBaseAddressTXT->text(),
              QString::number(gComPort().SMBus()->SMBusBaseAddress(), 16).toUpper());
    EXPECT_EQ(wizard.USBSearchDescLBL->text(),
              "Sorry, USB communication is not supported on Windows 95.");
    EXPECT_FALSE(wizard.USBCheck->isEnabled());
    vsq::platform::overrideOsVersion(std::nullopt);
}

TEST_F(InitFormTest, AChipOnTheChipsetSMBusIsListedAndFinishSelectsThatMedium) {
    powerUp({});
    pc().setDevicePresent(1, 0xA8, false);
    InitForm& wizard = startUp();
    wizard.NextCMD->click();
    // Only the printer port can be ticked from the window; a test ticks the SMBus too.
    wizard.SMBusCheck->setEnabled(true);
    wizard.SMBusCheck->setChecked(true);
    wizard.NextCMD->click();
    const QString smbusEntry =
        "An VSQ5540 was found at:54h, on the SMBus" + QString(98, ' ') + "SMBus54";
    EXPECT_EQ(entries(wizard), QStringList{smbusEntry});

    wizard.FinishCMD->click();
    EXPECT_EQ(gComPort().SMBus()->DeviceAddress(), 0x54);
    EXPECT_EQ(gComPort().PortType(), 1);
    EXPECT_EQ(gChipAddress, 0xA8);
    EXPECT_EQ(mainWindow().windowTitle(), "VSQ5540 Evaluation Software");
}

} // namespace
} // namespace trelvane
