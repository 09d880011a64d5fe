#include "app/core/qt_dialogs.h"
#include "app/core/tagged_item_delegate.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/about_form.h"
#include "app/shell/main_form.h"
#include "app/shell/search_results.h"
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
    TMainForm& mainWindow() { return *windows().find<TMainForm>(); }
};

TEST_F(InitFormTest, OnePortWithTheChipAtA8ListsExactlyOneEntryReadyToFinish) {
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
}

TEST_F(InitFormTest, TheSearchWritesTheBoardDacThenReadsTheIdentityInBothPolarities) {
    InitForm& wizard = startUp();
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
    EXPECT_EQ(pc().journal().text(1), "S A8- 90- 01- P");
}

// A find chosen, then Finish: the program goes to its chip, port and polarity,
// and UPDCFG reaches that chip and nothing else on any port.
struct FinishCase {
    const char* name;
    std::vector<PortConfig> ports;
    int row;                    // the find chosen
    const char *address, *port; // as its entry shows them
    int bus;                    // the chosen chip's, counted from 1
    std::uint8_t chip;
    std::uint16_t base;
    bool inverted;
};

void PrintTo(const FinishCase& c, std::ostream* out) {
    *out << c.name;
}

// Ten ports with a board each, the chip at 0x5E on the last.
std::vector<PortConfig> tenPorts() {
    std::vector<PortConfig> ports;
    for (std::uint16_t base :
         {0x378, 0x278, 0x3BC, 0x2BC, 0x8000, 0x8010, 0x9000, 0xA000, 0xB000, 0xC000})
        ports.push_back({base, true, 0xA8});
    ports.back().chipAddress = 0x5E;
    return ports;
}

class InitFormFinish : public InitFormTest, public ::testing::WithParamInterface<FinishCase> {};

TEST_P(InitFormFinish, ConfiguresTheChosenFindAndWritesOnlyToItsChip) {
    const FinishCase& c = GetParam();
    powerUp(portsConfig(c.ports));
    InitForm& wizard = startUp();
    search(wizard);
    const QStringList found = entries(wizard);
    ASSERT_EQ(found.size(), c.row + 1);
    EXPECT_EQ(found[c.row], printerEntry(c.address, c.port, c.row + 1));
    EXPECT_EQ(wizard.search().FoundInverted[c.row], c.inverted);

    pc().chip(c.bus).setRegisterValue(0x90, 0x00);
    // Leave the library on the other polarity, so Finish must restore it.
    gComPort().PrinterPort()->SMBusProtocall()->setDataInverted(!c.inverted);
    pc().journal().clear();
    wizard.SearchResultsLIST->setCurrentRow(c.row);
    wizard.FinishCMD->click();
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_EQ(mainWindow().windowTitle(), "VSQ5540 Evaluation Software");
    EXPECT_EQ(windows().find<InitForm>(), nullptr);
    EXPECT_FALSE(vsq::platform::quitRequested());
    EXPECT_EQ(gChipAddress, c.chip);
    EXPECT_EQ(gComPort().PortType(), 0);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddressIndex(), c.bus - 1);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddress(), c.base);
    EXPECT_EQ(gComPort().PrinterPort()->SMBusProtocall()->DataInverted(), c.inverted);
    EXPECT_EQ(gComPort().PrinterPort()->SMBusProtocall()->DeviceAddress(), c.chip);
    EXPECT_EQ(pc().chip(c.bus).registerValue(0x90), 0x01);
    const std::string written =
        QString("S %1+ 90+ 01+ P").arg(c.chip, 2, 16).toUpper().toStdString();
    for (int bus = 1; bus <= static_cast<int>(c.ports.size()); ++bus)
        EXPECT_EQ(pc().journal().text(bus), bus == c.bus ? written : "") << bus;
}

// clang-format off
const FinishCase kFinishCases[] = {
    {"TheDefaultBoard", {PortConfig{}}, 0, "54", "378", 1, 0xA8, 0x378, true},
    {"TheChipAt5COnTheSecondPort", {{0x378, false}, {0x278, true, 0x5C}}, 0, "2E", "278", 2, 0x5C, 0x278, true},
    {"ANonInvertingAdapterKeepsPlainData", {{0x378, true, 0xA8, AdapterPolarity::NonInverting}}, 0, "54", "378", 1, 0xA8, 0x378, false},
    {"TheTenthFindChosenByItsWholeNumber", tenPorts(), 9, "2F", "C000", 10, 0x5E, 0xC000, true},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Finds, InitFormFinish, ::testing::ValuesIn(kFinishCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InitFormTest, BackFromTheResultsClearsTheFindsSoTheNextSearchListsOnlyItsOwn) {
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
    InitForm& wizard = startUp();
    wizard.CancelCMD->click();
    EXPECT_TRUE(vsq::platform::quitRequested());
    EXPECT_FALSE(wizard.isVisible());
}

// The close guard on each page: `page` reached by Next from the welcome page.
class InitFormClose : public InitFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(InitFormClose, ClosingTheWizardEndsTheProgram) {
    InitForm& wizard = startUp();
    for (int step = 1; step < GetParam(); ++step)
        wizard.NextCMD->click();
    ASSERT_EQ(wizard.CurrentStep(), GetParam());
    wizard.close();
    EXPECT_TRUE(vsq::platform::quitRequested());
    EXPECT_EQ(windows().find<InitForm>(), nullptr);
}

TEST_F(InitFormTest, EnterPressesNextThenFinishWhichHoldTheFocusAndSpaceStartsNothingElse) {
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
    InitForm& wizard = startUp();
    QTest::keyClick(wizard.focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(vsq::platform::quitRequested());
}

TEST_F(InitFormTest, FixedSizeDialogsOfferNeitherMinimiseNorMaximise) {
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

TEST(ChipSearchTags, FinishReadsTheWholeFindNumberAndTheSMBusAddress) {
    const std::string blanks(50, ' ');
    EXPECT_EQ(
        PrinterEntryNumber("Found an VSQ5540 at:54h, on printer port:378h" + blanks + "Printer 1"),
        1);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 10"), 10);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 123"), 123);
    EXPECT_EQ(PrinterEntryNumber(""), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer "), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 1a"), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("An VSQ5540 was found at:54h, on the SMBus" + blanks + "SMBus54"),
              std::nullopt);

    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "SMBus54"), 0x54);
    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "SMBus2F"), 0x2F);
    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "Printer 1"), std::nullopt);
    EXPECT_EQ(SMBusEntryAddress("SMBus"), std::nullopt);

    // The list shows the entry without its tag.
    EXPECT_EQ(TaggedItemDelegate::visiblePart(QString::fromStdString(
                  "Found an VSQ5540 at:54h, on printer port:378h" + blanks + "Printer 1")),
              "Found an VSQ5540 at:54h, on printer port:378h");
}

} // namespace
} // namespace trelvane
