#pragma once
// SaveRecallSettingsForm: the three-step dialog that saves the evaluation
// system's settings to a data file or recalls them from one. One window serves
// both ways; gSaveMode chooses, and the window takes its texts from it each
// time it is shown. While an operation runs its controls are disabled, and a
// close waits until the operation has ended.

#include "app/core/window_registry.h"
#include "app/shell/settings/save_recall_feedback.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace trelvane {

class SaveRecallSettingsForm : public QWidget, public SaveRecallFeedback {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    SaveRecallSettingsForm();
    void onLoad();
    bool onQueryUnload();

    // The window caption, step texts and file button of the current mode.
    void ApplyModeTexts();
    bool busy() const { return busy_; }

    // SaveRecallFeedback
    void setProgressMaximum(int maximum) override;
    void showStatus(std::string_view text, int value) override;
    bool notify(const Notice& notice) override;

    QGroupBox* Frame1 = nullptr;
    QCheckBox* EvalBoardCHK = nullptr;
    QCheckBox* RAMCHK = nullptr;
    QCheckBox* EEPROMCHK = nullptr;
    QLabel* Step1DescriptionLBL = nullptr;
    QGroupBox* Frame2 = nullptr;
    QPushButton* FileNameCMD = nullptr;
    QLabel* FilePathLBL = nullptr;
    QLabel* Step2DescriptionLBL = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* StartCMD = nullptr;
    QLabel* NoticeLBL = nullptr;
    QLabel* StatusLBL = nullptr;
    QProgressBar* ProgressBar = nullptr;

private:
    void CheckBox_Click();
    void FileNameCMD_Click();
    void StartCMD_Click();
    void setBusy(bool busy);
    void showNotice();

    bool busy_ = false;
    bool closeWhenDone_ = false;
};

// The File menu's commands: sets gSaveMode, shows the dialog (loading it on
// first use) and gives it that mode's texts.
void ShowSaveRecallSettings(bool saveMode);

} // namespace trelvane
