#include "app/shell/about_form.h"
#include "app/shell/main_form.h"
#include "app/shell/sys_info.h"
#include "app/shell/testing/shell_test.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <string>
#include <tuple>

namespace trelvane {
namespace {

using namespace std::string_literals;

constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

class AboutFormTest : public testing::ShellTest {
protected:
    // A program that leaves a mark when it runs.
    QString writeMarkingProgram(const QString& folder, const QString& name) {
        const QString path = QDir(folder).filePath(name);
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\ntouch '" + marker() + "'\n").toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString marker() const { return tools_.filePath("started"); }
    bool markerAppears() {
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(marker()) && waited.elapsed() < 5000)
            QThread::msleep(10);
        return QFile::exists(marker());
    }

    QTemporaryDir tools_;
};

TEST_F(AboutFormTest, ShowsTheProgramsTitleVersionAndTexts) {
    frmAbout& about = windows().load<frmAbout>();
    EXPECT_EQ(about.windowTitle(), "About theVSQ5540 Evaluation Software");
    EXPECT_EQ(about.lblTitle->text(), "VSQ5540 Evaluation Software");
    EXPECT_EQ(about.lblVersion->text(), "Version 2.0.0");
    EXPECT_EQ(about.lblDescription->text(),
              "This software will help you to evaluate the VSQ5540 ASIC. Supporting "
              "Win95/98/ME/NT/2K/XP operating systems. ");
    EXPECT_EQ(about.cmdOK->text(), "OK");
    EXPECT_EQ(about.cmdSysInfo->text(), "&System Info...");
}

// Escape and the close box end the box as OK does: unloaded and destroyed.
TEST_F(AboutFormTest, HelpAboutShowsItModalAndOkEscapeOrTheCloseBoxDestroysIt) {
    TMainForm& main = windows().show<TMainForm>();
    const struct {
        const char* way;
        void (*close)(frmAbout&);
    } ways[] = {
        {"OK", [](frmAbout& about) { about.cmdOK->click(); }},
        {"Escape", [](frmAbout& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
        {"close box", [](frmAbout& about) { about.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        bool wasModal = false;
        QPointer<frmAbout> shown;
        QTimer::singleShot(0, [&] {
            shown = windows().find<frmAbout>();
            ASSERT_NE(shown, nullptr);
            wasModal = shown->isVisible() && shown->isModal();
            way.close(*shown);
        });
        main.AboutMnu->trigger();
        EXPECT_TRUE(wasModal);
        EXPECT_EQ(windows().find<frmAbout>(), nullptr);
        processEvents();
        EXPECT_TRUE(shown.isNull());
    }
}

// A text loses its one terminating zero and nothing else; a number reads as
// its decimal digits; a missing key or value reads as false and no text.
TEST_F(AboutFormTest, GetKeyValueReadsATextWithoutItsTerminatingZero) {
    writeRegistryFile("[SOFTWARE\\Tools]\nZero\ts\t/opt/msinfo\0\nTwoZeros\ts\t/opt\0\0\n"
                      "Inner\ts\ta\0b\nPlain\ts\t/opt/msinfo\nEmpty\ts\t\nNumber\td\t305419896\n"s);
    const std::tuple<const char*, const char*, bool, std::string> cases[] = {
        {"Tools", "Zero", true, "/opt/msinfo"}, {"Tools", "TwoZeros", true, "/opt\0"s},
        {"Tools", "Inner", true, "a\0b"s},      {"Tools", "Plain", true, "/opt/msinfo"},
        {"Tools", "Empty", true, ""},           {"Tools", "Number", true, "305419896"},
        {"Tools", "Missing", false, ""},        {"Missing", "Zero", false, ""}};
    for (const auto& [key, value, read, wanted] : cases) {
        QString text = "before";
        EXPECT_EQ(GetKeyValue("SOFTWARE\\"s + key, value, text), read) << value;
        EXPECT_EQ(text.toStdString(), wanted) << value;
    }
}

TEST_F(AboutFormTest, ThePathValueStartsTheToolLeavingTheBoxOpenOrEndsInTheMessage) {
    const QString program = writeMarkingProgram(tools_.path(), "sysinfo");
    writeRegistryFile("[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                      "PATH\ts\t" +
                      program.toStdString() + std::string(1, '\0') + "\n");
    frmAbout& about = windows().show<frmAbout>();
    about.cmdSysInfo->click();
    EXPECT_TRUE(scripted().messages.empty());
    EXPECT_TRUE(markerAppears());
    EXPECT_EQ(windows().find<frmAbout>(), &about);

    writeRegistryFile("[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                      "PATH\ts\t/nonexistent/msinfo\n");
    about.cmdSysInfo->click();
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, kUnavailable) << "a path that names no program";
}

// Without the tool in the folder the registry names, the box says so.
TEST_F(AboutFormTest, TheToolsFolderIsUsedOnlyWhenTheToolIsInIt) {
    writeRegistryFile("[SOFTWARE\\Microsoft\\Shared Tools Location]\n"
                      "MSINFO\ts\t" +
                      tools_.path().toStdString() + "\n");
    windows().load<frmAbout>().cmdSysInfo->click();
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, kUnavailable);
    EXPECT_EQ(scripted().messages[0].title, "VSQ5540 Evaluation Software");
    EXPECT_EQ(scripted().messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(scripted().messages[0].icon, MessageIcon::None);

    writeMarkingProgram(tools_.path(), "MSINFO32.EXE");
    windows().find<frmAbout>()->cmdSysInfo->click();
    EXPECT_EQ(scripted().messages.size(), 1u);
    EXPECT_TRUE(markerAppears());
}

} // namespace
} // namespace trelvane
