#include "app/shell/init_form.h"

#include "app/core/app_info.h"
#include "app/core/dialogs.h"
#include "app/core/program_end.h"
#include "app/core/tagged_item_delegate.h"
#include "app/core/window_registry.h"
#include "app/device/chip_registers.h"
#include "app/device/chip_road.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/registers/readwrite_form.h"
#include "app/shell/chip_picture.h"
#include "app/shell/main_form.h"
#include "app/shell/search_results.h"
#include "app/shell/window_look.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/windows_version.h"
#include "controls/manager/qvsmanager.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <exception>
#include <stdexcept>

namespace trelvane {
namespace {

const QString kChip = QString::fromUtf8(kChipName);
constexpr char kConnectBoardText[] = "Connect the evaluation board to the printer port";
const QColor kDarkRed(192, 0, 0);

// UPDCFG's UPD bit: the chip takes its new configuration.
constexpr std::uint8_t kUpdateConfiguration = reg::field::UPDCFG::UPD.mask;

// Runs one step of Finish; a failing step is skipped and the next one runs.
template <typename Step> void attempt(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

// The decorative column at the wizard's left.
class WizardPicture : public QLabel {
public:
    explicit WizardPicture(QWidget* parent) : QLabel(parent) {
        setPixmap(chipPicture(96));
        setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setContentsMargins(0, 28, 0, 0);
        setFixedWidth(150);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        paintBackdrop(painter, rect());
        painter.end();
        QLabel::paintEvent(event);
    }
};

QLabel* newLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = newNamed<QLabel>(name, text, parent);
    label->setWordWrap(true);
    return label;
}

void paintDarkRed(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kDarkRed);
    label->setPalette(palette);
}

} // namespace

InitForm::InitForm() {
    setObjectName("InitForm");
    buildPages();

    picIcon = newNamed<WizardPicture>("picIcon", this);

    CancelCMD = newNamed<QPushButton>("CancelCMD", "Cancel", this);
    BackCMD = newNamed<QPushButton>("BackCMD", "< Back", this);
    BackCMD->setEnabled(false);
    NextCMD = newNamed<QPushButton>("NextCMD", "Next >", this);
    FinishCMD = newNamed<QPushButton>("FinishCMD", "Finish", this);
    FinishCMD->setEnabled(false);
    for (QPushButton* button : {CancelCMD, BackCMD, NextCMD, FinishCMD})
        button->setMinimumWidth(96);
    connect(CancelCMD, &QPushButton::clicked, this, &InitForm::CancelCMD_Click);
    connect(BackCMD, &QPushButton::clicked, this, &InitForm::BackCMD_Click);
    connect(NextCMD, &QPushButton::clicked, this, &InitForm::NextCMD_Click);
    connect(FinishCMD, &QPushButton::clicked, this, &InitForm::FinishCMD_Click);

    auto* content = new QHBoxLayout;
    content->setContentsMargins(0, 0, 0, 0);
    content->setSpacing(0);
    content->addWidget(picIcon);
    content->addWidget(pages_, 1);

    auto* rule = newHorizontalRule(this);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 10, 12, 12);
    buttons->addWidget(CancelCMD);
    buttons->addStretch();
    buttons->addWidget(BackCMD);
    buttons->addWidget(NextCMD);
    buttons->addSpacing(8);
    buttons->addWidget(FinishCMD);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(content, 1);
    layout->addWidget(rule);
    layout->addLayout(buttons);

    setFixedSize(660, 420);
    useFixedDialogFrame(this);
    centerOnScreen(this);
    FollowDefaultButton();
}

void InitForm::FollowDefaultButton() {
    QPushButton* preferred = NextCMD->isEnabled() ? NextCMD : FinishCMD;
    NextCMD->setDefault(preferred == NextCMD);
    FinishCMD->setDefault(preferred == FinishCMD);
    if (preferred->isEnabled())
        preferred->setFocus();
}

void InitForm::keyPressEvent(QKeyEvent* event) {
    QPushButton* pressed = nullptr;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressed = NextCMD->isDefault() ? NextCMD : FinishCMD;
        break;
    case Qt::Key_Escape:
        pressed = CancelCMD;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (pressed->isEnabled())
        pressed->click();
}

QFrame* InitForm::newPage(const char* name) {
    auto* page = new QFrame(pages_);
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(12);
    pages_->addWidget(page);
    return page;
}

void InitForm::buildPages() {
    pages_ = new QStackedWidget(this);

    WelcomePanel = newPage("WelcomePanel");
    WelcomeLBL = newLabel(WelcomePanel, "WelcomeLBL");
    setFontScale(WelcomeLBL, 1.3, true);
    WelcomeInstructionsLBL = newLabel(WelcomePanel, "WelcomeInstructionsLBL");
    auto* welcome = static_cast<QVBoxLayout*>(WelcomePanel->layout());
    welcome->addWidget(WelcomeLBL);
    welcome->addSpacing(12);
    welcome->addWidget(WelcomeInstructionsLBL);
    welcome->addStretch();

    SeclectComsMediumPanel = newPage("SeclectComsMediumPanel");
    PPCheck = newNamed<QCheckBox>("PPCheck", "Parallel Printer Port", SeclectComsMediumPanel);
    PPCheck->setChecked(true);
    PPSearchDescLBL = newLabel(SeclectComsMediumPanel, "PPSearchDescLBL", kConnectBoardText);
    SMBusCheck = newNamed<QCheckBox>("SMBusCheck", "On-Board SMBus", SeclectComsMediumPanel);
    SMBusSearchDescLBL = newLabel(SeclectComsMediumPanel, "SMBusSearchDescLBL", kConnectBoardText);
    SMBusBaseAddressTXT = newNamed<QLineEdit>("SMBusBaseAddressTXT", "000", SeclectComsMediumPanel);
    SMBusBaseAddressTXT->setMaximumWidth(80);
    USBCheck = newNamed<QCheckBox>("USBCheck", "USB", SeclectComsMediumPanel);
    USBCheck->setEnabled(false);
    USBSearchDescLBL = newLabel(SeclectComsMediumPanel, "USBSearchDescLBL", kConnectBoardText);
    SearchMediumInstLBL = newLabel(SeclectComsMediumPanel, "SearchMediumInstLBL");
    // Only the printer port can be chosen: the other media stay out of sight.
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             SMBusCheck, SMBusSearchDescLBL, SMBusBaseAddressTXT, USBCheck, USBSearchDescLBL})
        hidden->setVisible(false);
    auto* medium = static_cast<QVBoxLayout*>(SeclectComsMediumPanel->layout());
    medium->addWidget(PPCheck);
    medium->addWidget(PPSearchDescLBL);
    PPSearchDescLBL->setIndent(24);
    medium->addSpacing(8);
    medium->addWidget(SMBusCheck);
    medium->addWidget(SMBusSearchDescLBL);
    medium->addWidget(SMBusBaseAddressTXT);
    medium->addWidget(USBCheck);
    medium->addWidget(USBSearchDescLBL);
    medium->addStretch();
    medium->addWidget(SearchMediumInstLBL);

    SearchingPanel = newPage("SearchingPanel");
    SearchingLBL = newLabel(SearchingPanel, "SearchingLBL", "Searching");
    setFontScale(SearchingLBL, 1.3, true);
    SearchingDetailsLBL = newLabel(SearchingPanel, "SearchingDetailsLBL");
    SearchProgress = newNamed<QProgressBar>("SearchProgress", SearchingPanel);
    SearchProgress->setTextVisible(false);
    auto* searching = static_cast<QVBoxLayout*>(SearchingPanel->layout());
    searching->addWidget(SearchingLBL);
    searching->addWidget(SearchingDetailsLBL);
    searching->addSpacing(12);
    searching->addWidget(SearchProgress);
    searching->addStretch();

    SearchResultsPanel = newPage("SearchResultsPanel");
    SearchResultsDescLBL = newLabel(SearchResultsPanel, "SearchResultsDescLBL", "Search Results");
    setFontScale(SearchResultsDescLBL, 1.3, true);
    SearchResultsLIST = newNamed<QListWidget>("SearchResultsLIST", SearchResultsPanel);
    SearchResultsLIST->setItemDelegate(new TaggedItemDelegate(SearchResultsLIST));
    SearchResultsLIST->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SearchResultsLBL = newLabel(SearchResultsPanel, "SearchResultsLBL");
    SearchInsLBL = newLabel(SearchResultsPanel, "SearchInsLBL");
    auto* results = static_cast<QVBoxLayout*>(SearchResultsPanel->layout());
    results->addWidget(SearchResultsDescLBL);
    results->addWidget(SearchResultsLIST, 1);
    results->addWidget(SearchResultsLBL);
    results->addWidget(SearchInsLBL);
}

int InitForm::buildNumber() const {
    bool isNumber = false;
    const int build = BuildNumberReader.BuildNumber().trimmed().toInt(&isNumber);
    if (!isNumber)
        throw std::runtime_error("The build number is not a number");
    return build;
}

void InitForm::onLoad() {
    search_.setProgressListener([this](int value, int maximum) {
        SearchProgress->setMaximum(maximum);
        SearchProgress->setValue(value);
        SearchingPanel->repaint();
    });
    try {
        HoldBoardLinesHigh();
        search_.FillCandidates();
        InitialiseWizard();
        search_.FoundCount = 0;
    } catch (const std::exception&) {
        messageBox("Error in Init Form Load", "Error", MessageButtons::Ok, MessageIcon::Critical);
    }
}

bool InitForm::onQueryUnload() {
    return currentStep_ != 3;
}

void InitForm::onUnload() {
    if (!wizardFinished_)
        endProgram();
    hide();
}

void InitForm::InitialiseWizard() {
    currentStep_ = 1;
    CollectPanels();
    ShowPage(1);
    SetUpWelcomePage();
    SetUpMediumPage();
    SetUpSearchingPage();
    SetUpResultsPage();
}

void InitForm::CollectPanels() {
    Panels = {WelcomePanel, SeclectComsMediumPanel, SearchingPanel, SearchResultsPanel};
}

void InitForm::ShowPage(int page) {
    if (page >= 1 && page <= static_cast<int>(Panels.size()))
        pages_->setCurrentWidget(Panels[page - 1]);
}

void InitForm::SetUpWelcomePage() {
    setWindowTitle(kChip + " Search Wizard");
    WelcomeLBL->setText("This " + kChip + " Search Wizard will " + "find any " + kChip +
                        "s that can be controlled by this software");
    WelcomeInstructionsLBL->setText("Click 'Next' to start.");
}

void InitForm::SetUpMediumPage() {
    PPSearchDescLBL->setText("Remember to connect the " + kChip +
                             " evaluation board to the printer port");
    const int build = buildNumber();
    if (brisendal::IsWindows9xBuild(build)) {
        SMBusSearchDescLBL->setText("The Southbridge or ICH of Intel chipsets.");
        SMBusBaseAddressTXT->setText(
            QString::number(gComPort().SMBus()->SMBusBaseAddress(), 16).toUpper());
    } else {
        SMBusSearchDescLBL->setText(
            "Sorry, SMBus communication is only supported on Windows 95,98 and ME.");
        paintDarkRed(SMBusSearchDescLBL);
        SMBusCheck->setChecked(false);
        SMBusCheck->setEnabled(false);
        SMBusBaseAddressTXT->setEnabled(false);
    }
    if (brisendal::IsWindows95Build(build)) {
        USBSearchDescLBL->setText("Sorry, USB communication is not supported on Windows 95.");
        paintDarkRed(USBSearchDescLBL);
        USBCheck->setChecked(false);
        USBCheck->setEnabled(false);
    }
    SearchMediumInstLBL->setText("Click 'Next' to search for the " + kChip + ".");
}

void InitForm::SetUpSearchingPage() {
    SearchingDetailsLBL->setText("Please wait while searching for available " + kChip + "s.");
}

void InitForm::SetUpResultsPage() {
    SearchResultsLBL->setText("Please select one of the " + kChip + "s found above.");
    SearchInsLBL->setText("Click 'Next' to Continue");
}

void InitForm::NextCMD_Click() {
    movingForward_ = true;
    GoToStep();
    FollowDefaultButton();
}

void InitForm::BackCMD_Click() {
    movingForward_ = false;
    GoToStep();
    FollowDefaultButton();
}

void InitForm::GoToStep() {
    switch (currentStep_) {
    case 1:
        if (movingForward_) {
            currentStep_ = 2;
            ShowPage(2);
            BackCMD->setEnabled(true);
        }
        break;
    case 2:
        if (movingForward_) {
            StartSearch();
        } else {
            currentStep_ = 1;
            ShowPage(1);
            BackCMD->setEnabled(false);
        }
        break;
    case 4:
        if (movingForward_) {
            ShowPage(4);
            BackCMD->setEnabled(true);
            FinishCMD->setEnabled(true);
            NextCMD->setEnabled(false);
        } else {
            SearchResultsLIST->clear();
            search_.ResetFinds();
            currentStep_ = 2;
            ShowPage(2);
            NextCMD->setEnabled(true);
            FinishCMD->setEnabled(false);
        }
        break;
    default:
        break;
    }
}

void InitForm::StartSearch() {
    if (!PPCheck->isChecked() && !SMBusCheck->isChecked() && !USBCheck->isChecked()) {
        messageBox("Please select a search medium", "A problem was detected", MessageButtons::Ok,
                   MessageIcon::None);
        return;
    }
    currentStep_ = 3;
    ShowPage(3);
    SearchingPanel->repaint();
    for (QPushButton* button : {CancelCMD, BackCMD, NextCMD, FinishCMD})
        button->setEnabled(false);
    setCursor(Qt::WaitCursor);

    try {
        search_.SearchSelectedMedia(PPCheck->isChecked(), SMBusCheck->isChecked(),
                                    USBCheck->isChecked());
    } catch (const std::exception&) {
        // The finds made so far are listed; with none, the wizard says so.
    }

    CancelCMD->setEnabled(true);
    BackCMD->setEnabled(true);
    NextCMD->setEnabled(false);
    FinishCMD->setEnabled(true);
    unsetCursor();

    ShowSearchResults();
    currentStep_ = 4;
    ShowPage(4);
    search_.resetProgress();
}

void InitForm::ShowSearchResults() {
    const auto entries = BuildResultEntries(search_);
    for (std::size_t k = 0; k < entries.size(); ++k)
        SearchResultsLIST->insertItem(static_cast<int>(k), QString::fromStdString(entries[k]));
    if (entries.empty()) {
        SearchResultsLBL->setText("Sorry, no " + kChip +
                                  "s were found. Please check all connections and try again");
        SearchInsLBL->setText("Click Back to continue or click Finish to start the software "
                              "without being configured correctly.");
        FinishCMD->setEnabled(true);
        SearchResultsLIST->clear();
    } else {
        SearchResultsLIST->setCurrentRow(0);
        SearchResultsLBL->setText("Please select one of the " + kChip + "s found above.");
        SearchInsLBL->setText("Click 'Finish' to Continue");
    }
}

std::optional<ChipPlace> InitForm::ChosenPlace(const std::string& entry) const {
    if (const auto number = PrinterEntryNumber(entry)) {
        const std::size_t find = static_cast<std::size_t>(*number - 1);
        if (*number >= 1 && find < search_.FoundPorts.size() &&
            find < search_.EntryAddresses.size())
            return search_.FoundPlace(find, search_.EntryAddresses[find]);
        return std::nullopt;
    }
    if (const auto address7 = SMBusEntryAddress(entry))
        return chipsetSMBusPlace(*address7);
    return std::nullopt;
}

void InitForm::FinishCMD_Click() {
    const QListWidgetItem* selected = SearchResultsLIST->currentItem();
    const std::string entry =
        selected && selected->isSelected() ? selected->text().toStdString() : std::string();
    const std::optional<ChipPlace> chosen = ChosenPlace(entry);
    if (chosen) {
        const ChipPlace reached = GoToChip(*chosen, SettingFailure::Skip);
        // The register access window's manager serves the chosen chip on that port.
        if (reached.medium == Medium::PrinterPort)
            attempt([&] {
                namespace Id = orvessa::QVSManagerId;
                auto& manager = *WindowRegistry::current().load<ReadWriteForm>().QVSManager1;
                manager.dispatchPut(Id::DeviceAddress, QVariant::fromValue(gChipAddress));
                manager.dispatchPut(Id::CommType, QVariant::fromValue(orvessa::kParallelPort));
                manager.dispatchPut(Id::PrinterPortAddress,
                                    QVariant::fromValue(reached.port.value));
            });
    } else {
        ReturnToStartUpPort(SettingFailure::Skip);
    }
    // Written only now, so it reaches the chip that was chosen and no other device.
    attempt([] { WriteRegister(reg::UPDCFG, kUpdateConfiguration); });

    wizardFinished_ = true;
    if (!chosen) {
        runOrStop([] {
            WindowRegistry::current().load<TMainForm>().setWindowTitle(
                QString::fromUtf8(kAppTitle) + ", Communications are Disabled");
        });
    }
    ShowMainWindow();
    WindowRegistry::current().unload<InitForm>();
}

void InitForm::CancelCMD_Click() {
    if (!wizardFinished_)
        CloseMainWindow();
    WindowRegistry::current().unload<InitForm>();
}

void InitForm::ShowMainWindow() {
    runOrStop([] { WindowRegistry::current().show<TMainForm>(); });
}

// Unloading the main window ends the program.
void InitForm::CloseMainWindow() {
    endProgram();
}

} // namespace trelvane
