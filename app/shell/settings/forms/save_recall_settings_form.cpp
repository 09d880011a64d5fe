#include "app/shell/settings/forms/save_recall_settings_form.h"

#include "app/core/dialogs.h"
#include "app/core/new_named.h"
#include "app/core/program_end.h"
#include "app/shell/settings/data_file_path.h"
#include "app/shell/settings/settings_file.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace trelvane {
namespace {

struct ModeTexts {
    const char* caption;
    const char* step1;
    const char* step2;
    const char* fileButton;
};

constexpr ModeTexts kSaveTexts = {"Save Settings", "Select what you would like to save to file:",
                                  "Please select where you would like to save these settings.",
                                  "Save to.."};
constexpr ModeTexts kRecallTexts = {
    "Recall Settings", "Select what you would like to recall from file:",
    "Please select the file you would like to recall these settings from.", "Recall from.."};

MessageButtons buttonsOf(NoticeButtons buttons) {
    return buttons == NoticeButtons::OkCancel ? MessageButtons::OkCancel : MessageButtons::Ok;
}

MessageIcon iconOf(NoticeIcon icon) {
    switch (icon) {
    case NoticeIcon::Critical:
        return MessageIcon::Critical;
    case NoticeIcon::Exclamation:
        return MessageIcon::Exclamation;
    case NoticeIcon::None:
        break;
    }
    return MessageIcon::None;
}

QLabel* newWrappingLabel(const char* name, QWidget* parent) {
    auto* label = newNamed<QLabel>(name, parent);
    label->setWordWrap(true);
    return label;
}

// The dialog's layout and each step frame's keep their side margins and halve
// the room above and below their rows, so the three steps, the status and the
// bar fit the main window's area on a small screen (640 x 480) unsqueezed.
QMargins compactRows(const QLayout& layout) {
    const QMargins usual = layout.contentsMargins();
    return QMargins(usual.left(), usual.top() / 2, usual.right(), usual.bottom() / 2);
}

} // namespace

SaveRecallSettingsForm::SaveRecallSettingsForm() {
    setObjectName("SaveRecallSettingsForm");
    setWindowTitle("Save/Recall Settings");

    Frame1 = newNamed<QGroupBox>("Frame1", "Step 1", this);
    Step1DescriptionLBL = newWrappingLabel("Step1DescriptionLBL", Frame1);
    EvalBoardCHK = newNamed<QCheckBox>("EvalBoardCHK", "Eval Board Configuration", Frame1);
    RAMCHK = newNamed<QCheckBox>("RAMCHK", "RAM Settings", Frame1);
    EEPROMCHK = newNamed<QCheckBox>("EEPROMCHK", "EEPROM Settings", Frame1);
    auto* step1 = new QVBoxLayout(Frame1);
    step1->setContentsMargins(compactRows(*step1));
    step1->addWidget(Step1DescriptionLBL);
    for (QCheckBox* box : {EvalBoardCHK, RAMCHK, EEPROMCHK}) {
        step1->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &SaveRecallSettingsForm::CheckBox_Click);
    }

    Frame2 = newNamed<QGroupBox>("Frame2", "Step 2", this);
    Step2DescriptionLBL = newWrappingLabel("Step2DescriptionLBL", Frame2);
    FileNameCMD = newNamed<QPushButton>("FileNameCMD", Frame2);
    int fileButtonWidth = 0; // wide enough for the text of either mode
    for (const ModeTexts* texts : {&kSaveTexts, &kRecallTexts}) {
        FileNameCMD->setText(texts->fileButton);
        fileButtonWidth = std::max(fileButtonWidth, FileNameCMD->sizeHint().width());
    }
    FileNameCMD->setMinimumWidth(fileButtonWidth + 12);
    FilePathLBL = newNamed<QLabel>("FilePathLBL", QString::fromUtf8(kDefaultDataFileName), Frame2);
    FilePathLBL->setFrameShape(QFrame::StyledPanel);
    FilePathLBL->setFrameShadow(QFrame::Sunken);
    FilePathLBL->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path wraps (at its slashes) rather than losing the file name off the edge.
    FilePathLBL->setWordWrap(true);
    FilePathLBL->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(FileNameCMD);
    fileRow->addWidget(FilePathLBL, 1);
    auto* step2 = new QVBoxLayout(Frame2);
    step2->setContentsMargins(compactRows(*step2));
    step2->addWidget(Step2DescriptionLBL);
    step2->addLayout(fileRow);
    connect(FileNameCMD, &QPushButton::clicked, this, &SaveRecallSettingsForm::FileNameCMD_Click);

    Frame3 = newNamed<QGroupBox>("Frame3", "Step 3", this);
    Label2 = newNamed<QLabel>("Label2", "Start the operation: ", Frame3);
    StartCMD = newNamed<QPushButton>("StartCMD", "Start", Frame3);
    StartCMD->setEnabled(false);
    NoticeLBL = newWrappingLabel("NoticeLBL", Frame3);
    NoticeLBL->setText("Note: EEPROM Settings are going to be updated so the EEPROM will be "
                       "automatically erased when start is clicked.");
    // The notice comes and goes with the EEPROM box: keep its room, so the
    // window's size does not have to follow it.
    QSizePolicy noticePolicy = NoticeLBL->sizePolicy();
    noticePolicy.setRetainSizeWhenHidden(true);
    NoticeLBL->setSizePolicy(noticePolicy);
    NoticeLBL->setVisible(false);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(Label2);
    startRow->addWidget(StartCMD);
    startRow->addStretch(1);
    auto* step3 = new QVBoxLayout(Frame3);
    step3->setContentsMargins(compactRows(*step3));
    step3->addLayout(startRow);
    step3->addWidget(NoticeLBL);
    connect(StartCMD, &QPushButton::clicked, this, &SaveRecallSettingsForm::StartCMD_Click);

    StatusLBL = newNamed<QLabel>("StatusLBL", "Status:", this);
    ProgressBar = newNamed<QProgressBar>("ProgressBar", this);
    ProgressBar->setRange(0, 255);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(compactRows(*layout));
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addWidget(Frame3);
    layout->addWidget(StatusLBL);
    layout->addWidget(ProgressBar);
    layout->addStretch(1);
    setMinimumWidth(480);
}

void SaveRecallSettingsForm::onLoad() {
    ApplyModeTexts();
}

bool SaveRecallSettingsForm::onQueryUnload() {
    if (!busy_)
        return true;
    closeWhenDone_ = true; // the operation ends first; then the window closes
    return false;
}

void SaveRecallSettingsForm::ApplyModeTexts() {
    const ModeTexts& texts = gSaveMode ? kSaveTexts : kRecallTexts;
    setWindowTitle(texts.caption);
    if (QWidget* frame = parentWidget())
        frame->setWindowTitle(texts.caption); // the MDI subwindow's caption
    Step1DescriptionLBL->setText(texts.step1);
    Step2DescriptionLBL->setText(texts.step2);
    FileNameCMD->setText(texts.fileButton);
    showNotice();
}

void SaveRecallSettingsForm::showNotice() {
    NoticeLBL->setVisible(!gSaveMode && EEPROMCHK->isChecked());
}

void SaveRecallSettingsForm::CheckBox_Click() {
    StartCMD->setEnabled(EvalBoardCHK->isChecked() || RAMCHK->isChecked() ||
                         EEPROMCHK->isChecked());
    showNotice();
}

void SaveRecallSettingsForm::FileNameCMD_Click() {
    const QString defaultName = QString::fromUtf8(kDefaultDataFileName);
    FileRequest request;
    request.mode = gSaveMode ? FileDialogMode::Save : FileDialogMode::Open;
    request.caption = windowTitle();
    request.filter = "Text Files (*.txt)";
    request.initialPath =
        QFileInfo(QString::fromStdString(LocalDataFilePath(gDataFileName))).absolutePath();
    const QString chosen = dialogs().fileName(request);
    if (chosen.isEmpty()) {
        FilePathLBL->setText(defaultName);
        return;
    }
    gDataFileName = chosen.toStdString();
    FilePathLBL->setText(chosen);
    if (!chosen.endsWith(".txt", Qt::CaseSensitive)) {
        messageBox("Either an invalid filename or no file was selected, no settings were loaded.",
                   "There was a Problem!", MessageButtons::Ok, MessageIcon::Exclamation);
        gDataFileName = kDefaultDataFileName;
        FilePathLBL->setText(defaultName);
    }
}

void SaveRecallSettingsForm::StartCMD_Click() {
    if (busy_)
        return;
    const WindowRegistry::CommandHold hold; // an unload meanwhile waits for the end
    gDataFileName = FilePathLBL->text().toStdString();
    const bool evalBoard = EvalBoardCHK->isChecked();
    const bool ram = RAMCHK->isChecked();
    const bool eeprom = EEPROMCHK->isChecked();
    setBusy(true);
    runOrStop([&] {
        if (gSaveMode)
            SaveSettingsFile(evalBoard, ram, eeprom, *this);
        else
            RecallSettingsFile(evalBoard, ram, eeprom, *this);
    });
    setBusy(false);
    if (closeWhenDone_)
        WindowRegistry::current().unload<SaveRecallSettingsForm>();
}

void SaveRecallSettingsForm::setBusy(bool busy) {
    busy_ = busy;
    for (QWidget* control : {static_cast<QWidget*>(EvalBoardCHK), static_cast<QWidget*>(RAMCHK),
                             static_cast<QWidget*>(EEPROMCHK), static_cast<QWidget*>(FileNameCMD)})
        control->setEnabled(!busy);
    if (busy) {
        StartCMD->setEnabled(false);
    } else {
        CheckBox_Click();
        ApplyModeTexts(); // the File menu may have changed the mode meanwhile
    }
}

void SaveRecallSettingsForm::setProgressMaximum(int maximum) {
    ProgressBar->setMaximum(maximum);
}

void SaveRecallSettingsForm::showStatus(std::string_view text, int value) {
    StatusLBL->setText("Status: " + QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    StatusLBL->repaint();
    ProgressBar->setValue(std::clamp(value, ProgressBar->minimum(), ProgressBar->maximum()));
}

bool SaveRecallSettingsForm::notify(const Notice& notice) {
    return messageBox(QString::fromStdString(notice.text), QString::fromStdString(notice.title),
                      buttonsOf(notice.buttons), iconOf(notice.icon)) == MessageAnswer::Ok;
}

void ShowSaveRecallSettings(bool saveMode) {
    gSaveMode = saveMode;
    WindowRegistry& windows = WindowRegistry::current();
    const bool wasLoaded = windows.find<SaveRecallSettingsForm>() != nullptr;
    SaveRecallSettingsForm& form = windows.show<SaveRecallSettingsForm>();
    if (wasLoaded && !form.busy())
        form.ApplyModeTexts();
}

} // namespace trelvane
