// The save and recall dialog headless, on the simulated board.

#include "app/core/file_dialog.h"
#include "app/core/file_icons_by_name.h"
#include "app/shell/settings/data_file_path.h"
#include "app/shell/settings/forms/save_recall_settings_form.h"
#include "app/shell/settings/settings_file.h"
#include "settings_forms_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <deque>

#include <sys/stat.h>
#include <unistd.h>

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

    // Without a chosen file the shown default name is used: it lands in the home
    // folder.
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
    constexpr const char* kLong =
        "/tmp/evaluation_board_settings/laboratory_bench_three/"
        "power_sequencing_runs_december/board_and_registers_after_setup.txt";
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
          Case{"/data/a", "C:\\VSQ7713DumpFile.txt", "C:\\VSQ7713DumpFile.txt", true},
          Case{kLong, kLong, kLong, false}}) {
        gDataFileName = "/before.txt";
        scripted().messages.clear();
        scripted().fileNames.push_back(c.chosen);
        auto& form = show(false);
        form.FileNameCMD->click();
        EXPECT_EQ(form.FilePathLBL->text(), c.shown) << c.chosen;
        EXPECT_EQ(gDataFileName, c.used) << c.chosen;
        QApplication::processEvents(); // the path shows whole, to its file name
        const QRect room = form.FilePathLBL->contentsRect();
        EXPECT_TRUE(room.contains(form.FilePathLBL->fontMetrics().boundingRect(
            room, Qt::TextWordWrap, form.FilePathLBL->text())))
            << c.chosen;
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

// Qt's own provider reads a file to guess its type, and a kernel file, like a
// FIFO with no writer, can block that read for good: the dialog names and shows
// its entries by their names alone (no file's access time moves), so a folder
// holding such a file lists.
TEST_F(SaveRecallForm, TheFileDialogNamesFilesByTheirNamesNeverByTheirContent) {
    const QDateTime neverRead(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (const auto& [name, content] :
         {std::pair{"report", "%PDF-1.4\n"}, std::pair{"notes.pdf", "plain words\n"}}) {
        QFile file(homeFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        ASSERT_TRUE(file.flush() && file.setFileTime(neverRead, QFileDevice::FileAccessTime));
    }
    for (int run = 0; run < 40; ++run) // a folder longer than the dialog
        ASSERT_TRUE(
            QFile(homeFile(qPrintable(QString("run-%1.txt").arg(run)))).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(home_.path()).mkdir("runs"));
    ASSERT_EQ(::mkfifo(qPrintable(homeFile("waiting.txt")), 0600), 0);
    const QString home = QDir(home_.path()).absolutePath();
    installDialogs(nullptr); // the program's own dialogs

    struct Case {
        bool save, accept;
        const char* picked;
        std::string shown;
        int fontSize; // the points of a larger font, so the dialog needs more than its screen
    };
    // Qt's own dialogs, each made as ours is and so opening with its columns
    // (naming files as ours does): kept to the end, since a dialog leaves its
    // columns to the next as it goes.
    FileIconsByName icons;
    std::deque<QFileDialog> qtDialogs;
    const QFont font = QApplication::font();
    ::alarm(30); // a listing that blocks ends the test binary, failed, rather than hanging it
    for (const Case& c : {Case{true, false, "kept.txt", "C:\\VSQ7713DumpFile.txt", 0},
                          Case{true, true, "kept.txt", (home + "/kept.txt").toStdString(), 0},
                          Case{false, true, "run-7.txt", (home + "/run-7.txt").toStdString(), 0},
                          Case{false, false, "run-7.txt", "C:\\VSQ7713DumpFile.txt", 12},
                          Case{false, false, "run-7.txt", "C:\\VSQ7713DumpFile.txt", 14},
                          Case{false, false, "run-7.txt", "C:\\VSQ7713DumpFile.txt", 20}}) {
        QFont larger = font;
        if (c.fontSize)
            larger.setPointSize(c.fontSize);
        QApplication::setFont(larger);
        QFileDialog& qtDialog = qtDialogs.emplace_back(nullptr, QString(), QDir::rootPath());
        qtDialog.setOption(QFileDialog::DontUseNativeDialog);
        qtDialog.setIconProvider(&icons);
        auto& form = show(c.save);
        form.window()->activateWindow();
        QApplication::setActiveWindow(form.window());
        gDataFileName = homeFile("gone/deeper/settings.txt").toStdString();
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            const auto& model = *dialog->findChild<QFileSystemModel*>();
            const auto& details = *dialog->findChild<QTreeView*>();
            const bool atHome = dialog->directory().absolutePath() == home;
            if (atHome && (model.rowCount(model.index(home)) < 41 ||
                           !details.verticalScrollBar()->isVisible()))
                return; // listing
            answer.stop();
            QDialog& asked = *dialog;
            EXPECT_EQ(dialog->directory().absolutePath().toStdString(), home.toStdString());
            if (!atHome)
                return asked.reject();
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_EQ(dialog->parentWidget(), form.window());
            EXPECT_TRUE(dialog->isModal());
            EXPECT_EQ(dialog->acceptMode(),
                      c.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            EXPECT_EQ(dialog->fileMode(),
                      c.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
            EXPECT_EQ(dialog->windowTitle(), c.save ? "Save Settings" : "Recall Settings");
            EXPECT_EQ(dialog->nameFilters(), QStringList{"Text Files (*.txt)"});

            const QAbstractFileIconProvider& icons = *dialog->iconProvider();
            const QMimeDatabase types;
            EXPECT_EQ(icons.type(QFileInfo(homeFile("report"))).toStdString(),
                      types.mimeTypeForName("application/octet-stream").comment().toStdString());
            EXPECT_EQ(icons.type(QFileInfo(homeFile("notes.pdf"))).toStdString(),
                      types.mimeTypeForName("application/pdf").comment().toStdString());
            EXPECT_EQ(icons.type(QFileInfo(homeFile("runs"))).toStdString(), "Folder");
            EXPECT_EQ(icons.type(QFileInfo(QDir::rootPath())).toStdString(), "Drive");
            for (const char* name : {"report", "notes.pdf"})
                icons.icon(QFileInfo(homeFile(name)));
            const auto folder = model.data(model.index(homeFile("runs")), Qt::DecorationRole);
            EXPECT_EQ(folder.value<QIcon>().pixmap(16).toImage(),
                      QFileIconProvider().icon(QFileIconProvider::Folder).pixmap(16).toImage());

            // The Type and Date columns take their texts' width and a margin when
            // Qt's own dialog gives them less, and the Date column ends where the
            // view does, beside the scroll bar.
            const QHeaderView& header = *details.header();
            const QHeaderView& qtOwn = *qtDialog.findChild<QTreeView*>()->header();
            const int margin = 2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin) +
                               2 * details.fontMetrics().averageCharWidth();
            const QModelIndex run = model.index(homeFile("run-7.txt"));
            for (const int column : {2, 3})
                EXPECT_EQ(header.sectionSize(column),
                          std::max(qtOwn.sectionSize(column),
                                   details.fontMetrics().horizontalAdvance(
                                       run.siblingAtColumn(column).data().toString()) +
                                       margin))
                    << column;
            // Short of room, the Name column narrows to no less than 16 characters;
            // it never widens, though it may open narrower than that (at 20 points,
            // as the dialog at 14 left it).
            EXPECT_EQ(header.length() == details.viewport()->width(),
                      header.sectionSize(0) >
                          16 * details.fontMetrics().averageCharWidth() + margin);
            EXPECT_LE(header.sectionSize(0), qtOwn.sectionSize(0));
            const QRect screen = dialog->screen()->availableGeometry();
            EXPECT_TRUE(screen.contains(dialog->frameGeometry()));
            EXPECT_EQ(dialog->frameGeometry().width() == screen.width(), c.fontSize > 0);

            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(c.picked);
            c.accept ? asked.accept() : asked.reject();
        });
        answer.start(10);
        form.FileNameCMD->click();
        EXPECT_EQ(form.FilePathLBL->text().toStdString(), c.shown);
    }
    ::alarm(0);
    QApplication::setFont(font);
    for (const char* name : {"report", "notes.pdf"})
        EXPECT_EQ(QFileInfo(homeFile(name)).lastRead(), neverRead) << name;
}

// Grown about its middle for its columns, the dialog's frame stays on the screen's free
// area, narrower than its columns need when the area is.
TEST_F(SaveRecallForm, TheFileDialogGrowsWithinTheScreen) {
    struct Case {
        QRect frame;
        QMargins border; // of the frame around the dialog
        int missing;
        QRect available, grown;
    };
    const QMargins titled{4, 24, 4, 4};
    for (const Case& c :
         {Case{{88, 40, 624, 412}, {}, 92, {0, 0, 800, 600}, {42, 40, 716, 412}},
          Case{{84, 16, 632, 440}, titled, 92, {0, 0, 800, 600}, {42, 40, 716, 412}},
          Case{{8, 34, 624, 412}, {}, 92, {0, 0, 640, 480}, {0, 34, 640, 412}},
          Case{{4, 10, 632, 440}, titled, 92, {0, 0, 640, 480}, {4, 34, 632, 412}},
          Case{{170, 40, 624, 412}, {}, 92, {0, 0, 800, 600}, {84, 40, 716, 412}},
          Case{{1030, 0, 624, 412}, {}, 92, {1024, 0, 1280, 1024}, {1024, 0, 716, 412}},
          Case{{56, 0, 624, 412}, {}, 92, {48, 0, 592, 480}, {48, 0, 624, 412}},
          Case{{-30, 40, 624, 412}, {}, -20, {0, 0, 800, 600}, {0, 40, 624, 412}}})
        EXPECT_EQ(widenedWithin(c.frame, c.frame.marginsRemoved(c.border), c.missing, c.available),
                  c.grown)
            << c.frame.x() << " in " << c.available.x() << "," << c.available.width();
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

} // namespace
} // namespace trelvane
