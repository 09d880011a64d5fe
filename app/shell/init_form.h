#pragma once
// InitForm, the set-up wizard: greets the user, lets the user choose the media
// to search, runs the chip search, lists the chips found, and on Finish
// configures the bus for the chosen chip and shows the main window. Cancel, or
// closing the wizard before Finish, ends the program.

#include "app/device/chip_search.h"
#include "app/shell/build_number_source.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QKeyEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace trelvane {

class InitForm : public QWidget {
    Q_OBJECT
public:
    InitForm();

    // Load handler; a failure says "Error in Init Form Load" and skips the rest.
    void onLoad();
    // Closing from the frame: refused while the search runs.
    bool onQueryUnload();
    // Unloaded before Finish: the program ends.
    void onUnload();

    std::uint8_t CurrentStep() const { return currentStep_; }
    bool WizardFinished() const { return wizardFinished_; }
    const ChipSearch& search() const { return search_; }

    // Pages, in page order.
    QFrame* WelcomePanel = nullptr;
    QFrame* SeclectComsMediumPanel = nullptr;
    QFrame* SearchingPanel = nullptr;
    QFrame* SearchResultsPanel = nullptr;

    QLabel* picIcon = nullptr;
    QLabel* WelcomeLBL = nullptr;
    QLabel* WelcomeInstructionsLBL = nullptr;
    QCheckBox* PPCheck = nullptr;
    QCheckBox* SMBusCheck = nullptr;
    QCheckBox* USBCheck = nullptr;
    QLabel* PPSearchDescLBL = nullptr;
    QLabel* SMBusSearchDescLBL = nullptr;
    QLabel* USBSearchDescLBL = nullptr;
    QLineEdit* SMBusBaseAddressTXT = nullptr;
    QLabel* SearchMediumInstLBL = nullptr;
    QLabel* SearchingLBL = nullptr;
    QLabel* SearchingDetailsLBL = nullptr;
    QProgressBar* SearchProgress = nullptr;
    QLabel* SearchResultsDescLBL = nullptr;
    QLabel* SearchResultsLBL = nullptr;
    QListWidget* SearchResultsLIST = nullptr;
    QLabel* SearchInsLBL = nullptr;
    QPushButton* CancelCMD = nullptr;
    QPushButton* BackCMD = nullptr;
    QPushButton* NextCMD = nullptr;
    QPushButton* FinishCMD = nullptr;

protected:
    // Enter presses the default button, Escape is Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildPages();
    // "Next >" while it can be pressed, "Finish" after it; it takes the focus.
    void FollowDefaultButton();
    QFrame* newPage(const char* name);
    int buildNumber() const;

    void InitialiseWizard();
    void CollectPanels();
    void ShowPage(int page);
    void GoToStep();
    void SetUpWelcomePage();
    void SetUpMediumPage();
    void SetUpSearchingPage();
    void SetUpResultsPage();
    void StartSearch();
    void ShowSearchResults();
    // The place of the chip a result entry names, if it names one.
    std::optional<ChipPlace> ChosenPlace(const std::string& entry) const;
    void ShowMainWindow();
    void CloseMainWindow();

    void NextCMD_Click();
    void BackCMD_Click();
    void CancelCMD_Click();
    void FinishCMD_Click();

    QStackedWidget* pages_ = nullptr;
    std::vector<QFrame*> Panels;
    BuildNumberSource BuildNumberReader;
    ChipSearch search_;
    std::uint8_t currentStep_ = 1;
    bool movingForward_ = true;
    bool wizardFinished_ = false;
};

} // namespace trelvane
