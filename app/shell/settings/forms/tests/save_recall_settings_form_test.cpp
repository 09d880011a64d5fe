// The save and recall dialog headless, on the simulated board.

#include "app/core/file_dialog.h"
#include "app/shell/settings/data_file_path.h"
#include "app/shell/settings/forms/save_recall_settings_form.h"
#include "app/shell/settings/settings_file.h"
#include "settings_forms_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

namespace trelvane {
namespace {

class SaveRecallForm : public testing::SettingsFormsTest {
protected:
    void SetUp() override {
        SettingsFormsTest::SetUp();
        ::setenv("HOME", home_.path().toUtf8().constData(), 1);
        gDataFileName = kDefaultDataFileName;
    }
    SaveRecallSettingsForm& show(bool saveMode) {
        ShowSaveRecallSettings(saveMode);
        return *windows().find<SaveRecallSettingsForm>();
    }
    QString homeFile(const char* name) const { return home_.filePath(name); }

    QTemporaryDir home_;
};

TEST_F(SaveRecallForm, StartFollowsTheBoxesAndTheNoticeShowsOnlyForARecallOfTheEEPROM) {
    struct Case {
        bool saveMode;
        bool board, ram, eeprom;
        bool start, notice;
    };
    for (const Case c :
         {Case{true, false, false, false, false, false},
          Case{true, true, false, false, true, false}, Case{true, false, true, false, true, false},
          Case{true, false, false, true, true, false}, Case{false, false, false, true, true, true},
          Case{false, true, true, false, true, false}}) {
        auto& form = show(c.saveMode);
        form.show();
        for (auto [box, wanted] :
             {std::pair{form.EvalBoardCHK, c.board}, std::pair{form.RAMCHK, c.ram},
              std::pair{form.EEPROMCHK, c.eeprom}})
            if (box->isChecked() != wanted)
                box->click();
        EXPECT_EQ(form.StartCMD->isEnabled(), c.start);
        EXPECT_EQ(form.NoticeLBL->isVisible(), c.notice);
    }
}

TEST_F(SaveRecallForm, EachShowTakesTheTextsOfItsModeAndStartActsInIt) {
    auto& form = show(false);
    EXPECT_EQ(form.windowTitle(), "Recall Settings");
    EXPECT_EQ(form.Step1DescriptionLBL->text(), "Select what you would like to recall from file:");
    EXPECT_EQ(form.Step2DescriptionLBL->text(),
              "Please select the file you would like to recall these settings from.");
    EXPECT_EQ(form.FileNameCMD->text(), "Recall from..");
    EXPECT_EQ(form.FilePathLBL->text(), "C:\\VSQ7713DumpFile.txt");
    form.EEPROMCHK->click();
    EXPECT_TRUE(form.NoticeLBL->isVisible());

    show(true);
    EXPECT_EQ(form.windowTitle(), "Save Settings");
    EXPECT_EQ(form.Step1DescriptionLBL->text(), "Select what you would like to save to file:");
    EXPECT_EQ(form.Step2DescriptionLBL->text(),
              "Please select where you would like to save these settings.");
    EXPECT_EQ(form.FileNameCMD->text(), "Save to..");
    EXPECT_FALSE(form.NoticeLBL->isVisible());

    // Without a chosen file the shown default name is used: it lands in the home folder.
    form.StartCMD->click();
    EXPECT_TRUE(QFile::exists(homeFile("VSQ7713DumpFile.txt")));
    EXPECT_EQ(form.StatusLBL->text(), "Status: Finished Saving Settings");
    EXPECT_EQ(chip().pageErases(), 0);
}

// Fusion's room inside a frame is 9 px on each side; the step frames keep it at
// the sides and halve it above and below their rows.
TEST_F(SaveRecallForm, ItsStepFramesKeepHalfTheRoomAboveAndBelowTheirRows) {
    auto& form = show(false);
    form.EEPROMCHK->click(); // the notice shows: every row of each step is there
    QApplication::processEvents();
    for (const QGroupBox* frame : {form.Frame1, form.Frame2, form.Frame3})
        EXPECT_EQ(frame->childrenRect(), frame->contentsRect() - QMargins(9, 4, 9, 4))
            << frame->objectName().toStdString();
}

TEST_F(SaveRecallForm, TheChosenFileMustEndInTxt) {
    struct Case {
        const char* chosen;
        const char* shown;
        const char* used;
        bool problem;
    };
    for (const Case c :
         {Case{"", "C:\\VSQ7713DumpFile.txt", "/before.txt", false},
          Case{"/data/a.txt", "/data/a.txt", "/data/a.txt", false},
          Case{"/data/a.TXT", "C:\\VSQ7713DumpFile.txt", "C:\\VSQ7713DumpFile.txt", true},
          Case{"/data/a", "C:\\VSQ7713DumpFile.txt", "C:\\VSQ7713DumpFile.txt", true}}) {
        gDataFileName = "/before.txt";
        scripted().messages.clear();
        scripted().fileNames.push_back(c.chosen);
        auto& form = show(false);
        form.FileNameCMD->click();
        EXPECT_EQ(form.FilePathLBL->text(), c.shown) << c.chosen;
        EXPECT_EQ(gDataFileName, c.used) << c.chosen;
        ASSERT_EQ(scripted().messages.size(), c.problem ? 1u : 0u) << c.chosen;
        if (c.problem) {
            EXPECT_EQ(scripted().messages[0].text, "Either an invalid filename or no file was "
                                                   "selected, no settings were loaded.");
            EXPECT_EQ(scripted().messages[0].title, "There was a Problem!");
            EXPECT_EQ(scripted().messages[0].icon, MessageIcon::Exclamation);
        }
    }
    const FileRequest& request = scripted().fileRequests.back();
    EXPECT_EQ(request.filter, "Text Files (*.txt)");
    EXPECT_EQ(request.mode, FileDialogMode::Open);
}

// Qt's own provider reads a file to guess its type, and a kernel file can
// block that read for good; the dialog names files by their names alone.
TEST_F(SaveRecallForm, TheFileDialogNamesFilesByTheirNamesNeverByTheirContent) {
    for (const auto& [name, content] :
         {std::pair{"report", "%PDF-1.4\n"}, std::pair{"notes.pdf", "plain words\n"}}) {
        QFile file(homeFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    ASSERT_TRUE(QDir(home_.path()).mkdir("runs"));
    for (const FileDialogMode mode : {FileDialogMode::Save, FileDialogMode::Open}) {
        const bool save = mode == FileDialogMode::Save;
        FileDialog files({mode, "Recall Settings", "Text Files (*.txt)", home_.path()}, nullptr);
        const QFileDialog& dialog = files.dialog();
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.windowTitle(), "Recall Settings");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"Text Files (*.txt)"});
        EXPECT_EQ(dialog.directory().absolutePath(), QDir(home_.path()).absolutePath());

        const QAbstractFileIconProvider& icons = *dialog.iconProvider();
        EXPECT_EQ(icons.type(QFileInfo(homeFile("report"))).toStdString(), "unknown");
        EXPECT_EQ(icons.type(QFileInfo(homeFile("notes.pdf"))).toStdString(), "PDF document");
        EXPECT_EQ(icons.type(QFileInfo(homeFile("runs"))).toStdString(), "Folder");
        for (const char* name : {"report", "notes.pdf", "runs"})
            EXPECT_FALSE(icons.icon(QFileInfo(homeFile(name))).isNull()) << name;
    }
}

TEST_F(SaveRecallForm, WhileAnOperationRunsItsControlsAreDisabledAndACloseWaitsForItsEnd) {
    auto& form = show(true);
    form.RAMCHK->click();
    form.EEPROMCHK->click();
    form.StartCMD->click(); // saves the file the recall reads
    show(false);
    int yields = 0;
    bool anyEnabled = false;
    onYield = [&] {
        ++yields;
        for (QWidget* control : std::initializer_list<QWidget*>{
                 form.StartCMD, form.EvalBoardCHK, form.RAMCHK, form.EEPROMCHK, form.FileNameCMD})
            anyEnabled = anyEnabled || control->isEnabled();
        if (yields == 10) {
            form.StartCMD->click(); // ignored: disabled
            form.close();
        }
    };
    form.StartCMD->click();
    onYield = nullptr;
    EXPECT_GT(yields, 10);
    EXPECT_FALSE(anyEnabled);
    EXPECT_EQ(chip().pageErases(), 16); // one recall, not two
    processEvents();
    EXPECT_EQ(windows().find<SaveRecallSettingsForm>(), nullptr);
}

TEST_F(SaveRecallForm, ASaveThatFailsSaysSoAndTheDialogStaysUsable) {
    QFile readOnly(homeFile("read-only.txt"));
    ASSERT_TRUE(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    readOnly.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
    for (const char* name : {"missing-folder/a.txt", "read-only.txt"}) {
        scripted().messages.clear();
        scripted().fileNames.push_back(homeFile(name));
        auto& form = show(true);
        form.FileNameCMD->click();
        if (!form.RAMCHK->isChecked())
            form.RAMCHK->click();
        form.StartCMD->click();
        ASSERT_EQ(scripted().messages.size(), 1u) << name;
        EXPECT_EQ(scripted().messages[0].title, "Cannot save to file");
        EXPECT_TRUE(scripted().messages[0].text.startsWith("The settings could not be saved to "));
        EXPECT_EQ(form.StatusLBL->text(), "Status: Saving Settings Failed") << name;
        EXPECT_EQ(form.ProgressBar->value(), 0) << name;
        EXPECT_TRUE(form.StartCMD->isEnabled());
        EXPECT_TRUE(form.FileNameCMD->isEnabled());
    }
}

TEST_F(SaveRecallForm, TheStatusLineShowsItsTextAndABarThatStaysFullPastItsMaximum) {
    auto& form = show(false);
    form.setProgressMaximum(11);
    form.showStatus("Reading Eval board settings", 21);
    EXPECT_EQ(form.StatusLBL->text(), "Status: Reading Eval board settings");
    EXPECT_EQ(form.ProgressBar->value(), 11);
}

TEST_F(SaveRecallForm, ALongChosenPathIsShownWholeToItsFileName) {
    const QString chosen = "/tmp/evaluation_board_settings/laboratory_bench_three/"
                           "power_sequencing_runs_december/board_and_registers_after_setup.txt";
    scripted().fileNames.push_back(chosen);
    auto& form = show(false);
    form.FileNameCMD->click();
    QApplication::processEvents();
    QLabel& label = *form.FilePathLBL;
    const QRect room = label.contentsRect();
    const QRect needed = label.fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000),
                                                          Qt::TextWordWrap, label.text());
    EXPECT_LE(needed.width(), room.width());
    EXPECT_LE(needed.height(), room.height());
}

} // namespace
} // namespace trelvane
