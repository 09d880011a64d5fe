// The register access window on the simulated board: its load, node clicks
// read through its manager (checked on the bus journal), bit writes, closing,
// sizing, its settings file, the shell's hooks and the keyboard.

#include "register_window.h"

#include "app/core/program_end.h"
#include "app/device/data_port_or_bits.h"
#include "app/registers/register_tree.h"
#include "controls/common/property_bag_file.h"
#include "platform/setup_report.h"

#include <gmock/gmock.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include <array>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/resource.h>

namespace trelvane::testing {
namespace {

constexpr std::uint32_t kBlue = 0xC00000;

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

using RegisterWindowTest = RegisterWindow;

TEST_F(RegisterWindowTest, LoadBuildsTheTreeOpenToTheChipAndStartsTheManagerPolling) {
    ReadWriteForm& form = load();
    EXPECT_EQ(form.windowTitle(), "Register Access");
    EXPECT_FALSE(form.isVisible());
    int nodes = 0;
    for (QTreeWidgetItemIterator it(form.Registertree); *it; ++it)
        ++nodes;
    EXPECT_EQ(nodes, 956);
    EXPECT_TRUE(form.node("Eval Board")->isExpanded());
    EXPECT_TRUE(form.node("VSQ5540")->isExpanded());
    EXPECT_FALSE(form.node("ByRegister")->isExpanded());
    EXPECT_FALSE(form.node("ByFunction")->isExpanded());
    EXPECT_EQ(form.NonRegisterKeys.size(), 64u);

    EXPECT_EQ(manager().DeviceAddress(), 170);
    EXPECT_TRUE(manager().pollTimerActive());
    EXPECT_EQ(panel().Master(), "QVSManager1");
    EXPECT_EQ(traffic(), "");
}

TEST_F(RegisterWindowTest, AChipRegisterClickReadsItAndABitClickWritesAndReadsItBack) {
    pc().chip(1).setRegisterValue(0x00, 0x21);
    load();
    click("P1PLBPOLA");
    EXPECT_EQ(traffic(), "S A8+ 00+ P S A9+ 21- P");
    EXPECT_EQ(caption("HexDECLBL"), "Value:33d,21h");
    EXPECT_EQ(caption("AddressPointerLbl"), "0");
    EXPECT_TRUE(panel().RegisterDetails().startsWith("\rP1PLBPOLA: "));

    journal().clear();
    QTest::mouseClick(&digit("bit3"), Qt::LeftButton);
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
    EXPECT_EQ(traffic(), "S A8+ 00+ 29+ P S A8+ 00+ P S A9+ 29- P");
    EXPECT_EQ(pc().chip(1).registerValue(0x00), 0x29);
    EXPECT_EQ(digit("bit3").ForeColor(), kBlue);
    EXPECT_EQ(caption("HexDECLBL"), "Value:41d,29h");
}

TEST_F(RegisterWindowTest, AnEEPROMClickReadsTheByteAtTheChipAndExplainsIt) {
    pc().chip(1).setEepromByte(0xF812, 0x5A);
    load();
    click("EEPROMConfig 18");
    EXPECT_EQ(traffic(), "S A8+ F8+ 12+ P S A9+ 5A- P");
    EXPECT_EQ(panel().RegisterDetails(),
              "\rF8,12h Config EEPROM (P2SFDPOLA). Note:The appropriate EEPROM address space "
              "must be erased before writes.");
    EXPECT_EQ(panel().AddressPointer(), 63506);
    EXPECT_EQ(panel().CommunicationsType(), 3);
}

TEST_F(RegisterWindowTest, AReadOnlyRegistersDigitsAreDisabled) {
    load();
    for (const auto& [key, enabled] : {std::pair{"UVSTAT ", false}, {"P1PLBPOLA", true}}) {
        click(key);
        for (int bit = 0; bit < 8; ++bit)
            EXPECT_EQ(digit(QString("bit%1").arg(bit)).isEnabled(), enabled) << key << bit;
    }
}

TEST_F(RegisterWindowTest, ABoardChipClickReadsItsRegisterAndLeavesTheManagersAddress) {
    load();
    // A chip click hands the manager the address configured in the root object.
    window().Registertree_NodeClick(window().node("TestReg224BGTRIM"));
    EXPECT_EQ(manager().DeviceAddress(), 0xAA);
    manager().setDeviceAddress(0x42);
    window().Registertree_NodeClick(window().node("U12Configuration2"));
    EXPECT_EQ(manager().DeviceAddress(), 0x42);
    tick();
    EXPECT_EQ(traffic(), "S 50+ 05+ P S 51+ 00- P");
    EXPECT_EQ(panel().RegisterDetails(), "\rU12Configuration2");
    EXPECT_EQ(panel().Bit5Text(), "N/A");
    EXPECT_EQ(panel().Bit6Text(), "Bit 6");
}

TEST_F(RegisterWindowTest, GroupNodesAndTheChangeButtonChangeNothing) {
    load();
    click("P1PLBPOLA");
    const QString details = panel().RegisterDetails();
    journal().clear();
    click("ByFunction");
    click("U12");
    window().ChangeCMD->click();
    tick();
    EXPECT_EQ(traffic(), "");
    EXPECT_EQ(panel().RegisterDetails(), details);
    EXPECT_EQ(window().Frame1->title(), "Address Pointer Change");
}

TEST_F(RegisterWindowTest, ClosingHidesTheWindowWhichKeepsItsTreeAndItsManagerPolling) {
    windows().show<ReadWriteForm>();
    load();
    window().node("ByRegister")->setExpanded(true);
    window().close();
    processEvents();
    ASSERT_EQ(windows().find<ReadWriteForm>(), &window());
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(manager().pollTimerActive());
    click("P1PLBPOLA");
    EXPECT_EQ(traffic(), "S A8+ 00+ P S A9+ 00- P");
    windows().show<ReadWriteForm>();
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().node("ByRegister")->isExpanded());
}

// Each row follows the one before it.
TEST_F(RegisterWindowTest, TheWidthIsFixedAndTheHeightHasAFloorThatTheGraphRaises) {
    // Client sizes in pixels; the rule counts 1 pixel of frame across and 23 down.
    struct Case {
        bool clump, graph;
        std::optional<QSize> asked; // none: only the panel's layout changes
        QSize kept;
        int tree;
        bool frameShown; // the address-pointer frame, when the window holds it whole
    };
    const Case cases[] = {
        // The wide layout's chart ends beyond 7430 twips: the window holds the panel.
        {false, true, QSize{494, 500}, {652, 500}, 368, true},
        {false, true, QSize{652, 200}, {652, 310}, 178, false},  // below 5000 twips outside
        {true, true, QSize{600, 500}, {494, 500}, 368, true},    // chart under the values
        {false, false, QSize{494, 200}, {494, 244}, 114, false}, // below 4000 twips outside
        {false, false, QSize{494, 400}, {494, 400}, 270, true},
        // The panel's layout changed while the window kept its size.
        {false, true, std::nullopt, {652, 400}, 268, true},
        {true, true, std::nullopt, {494, 400}, 268, true},
        {true, false, std::nullopt, {494, 400}, 270, true},
        {false, false, QSize{159, 100}, {159, 100}, -1, true}, // 2400 twips outside: left alone
    };
    ReadWriteForm& form = load();
    windows().show<ReadWriteForm>();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.clump << c.graph << " " << c.kept.width() << "x" << c.kept.height());
        const int treeBefore = form.Registertree->height();
        panel().setArrangeClump(c.clump);
        panel().setDisplayGraph(c.graph);
        if (c.asked)
            form.resize(*c.asked);
        processEvents();
        EXPECT_EQ(form.size(), c.kept);
        EXPECT_EQ(form.Registertree->height(), c.tree < 0 ? treeBefore : c.tree);
        EXPECT_EQ(form.Registertree->width(), 489);
        EXPECT_EQ(!form.Frame1->isHidden(), c.frameShown);
    }
}

TEST_F(RegisterWindowTest, RAMEEPROMStopsThePanelsReadingAndTheSpareLinesReachTheManager) {
    load();
    panel().setAutoRead(true);
    StopRegisterPanelAutoRead();
    EXPECT_FALSE(panel().AutoRead());
    EXPECT_FALSE(panel().findChild<QTimer*>("RegisterListTimer")->isActive());
    EXPECT_TRUE(panel().findChild<QToolButton*>("PlayOption")->isEnabled());
    SetDataPortOrBits(0x3C);
    EXPECT_EQ(manager().DataPortOrBits(), 0x3C);
}

TEST_F(RegisterWindowTest, TheSettingsFileStaysBesideARegistryFileAndNeverBesideARefusedOne) {
    const QString config = QString::fromStdString(vsq::platform::RegistryStore::configFolder());
    const QString temporary = QDir::tempPath();
    for (const auto& [registry, folder] :
         {std::pair{QString("/dev/zero"), config}, std::pair{temporary, config},
          std::pair{temporary + "/absent/registry.txt", temporary + "/absent"}})
        EXPECT_EQ(RegisterAccessBagPath(vsq::platform::RegistryStore(registry.toStdString())),
                  folder + "/ReadWriteForm.bag");
}

// Missing: written with the window's own settings (on a full disk: said, and
// nothing left). Edited: taken. Damaged (an empty one too) or in a folder that
// cannot be made: named, and the window starts from its own settings.
TEST_F(RegisterWindowTest, TheSettingsFileIsWrittenWhenMissingTakenWhenEditedAndKeptWhenDamaged) {
    const QString path = RegisterAccessBagPath();
    const auto said = [](const std::string& problem, const char* outcome) {
        EXPECT_THAT(vsq::platform::setupProblems(),
                    ::testing::Contains(problem + "; the register access window's settings " +
                                        outcome + " and the window starts from its own settings"));
    };
    const auto reloadWith = [&](const char* contents) { // null: the file as it is
        if (QFile file(path); contents && file.open(QIODevice::WriteOnly))
            file.write(contents);
        windows().unload<ReadWriteForm>();
        processEvents();
        load();
    };
    // A disk about to be full: a write beyond 8 bytes fails (File too large).
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{8, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &full);
    load();
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(QFileInfo(path).dir().entryList({"ReadWriteForm.bag*"}), QStringList());
    said(path.toStdString() + ": " + std::strerror(EFBIG), "file is not written");

    reloadWith(nullptr);
    const QString written = fileText(path);
    EXPECT_TRUE(written.startsWith("[QVSRegInfo1]\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("Master\tString\tQVSManager1\n"));
    EXPECT_TRUE(written.contains("[QVSManager1]"));

    // The window's start-up settings of the manager follow the file's.
    reloadWith("[QVSRegInfo1]\nMaster\tString\tQVSManager1\nAutoReadTimerInterval\tLong\t250\n"
               "[QVSManager1]\nDeviceAddress\tByte\t88\nStatusPortOrBits\tByte\t3\n"
               "ControlPortOrBits\tByte\t5\nDataPortOrBits\tByte\t6\n"
               "ArbitrationMaxCollisions\tByte\t4\n");
    EXPECT_EQ(panel().AutoReadTimerInterval(), 250);
    const orvessa::QVSManager& m = manager();
    EXPECT_EQ((std::array{m.ArbitrationMaxCollisions(), m.DeviceAddress(), m.StatusPortOrBits(),
                          m.ControlPortOrBits(), m.DataPortOrBits()}),
              (std::array<std::uint8_t, 5>{4, 170, 0, 0, 0}));

    for (const auto& [contents, problem] :
         {std::pair{"[QVSRegInfo1]\nMaster\tNoSuchType\tX\n",
                    ", line 2: \"X\" is no value of type NoSuchType"},
          std::pair{"", ": holds no setting"},
          std::pair{"[QVSRegInfo1]\n[QVSManager1]\n", ": holds no setting"}}) {
        reloadWith(contents);
        EXPECT_EQ(panel().Master(), "QVSManager1") << contents;
        EXPECT_EQ(panel().AutoReadTimerInterval(), 1) << contents;
        EXPECT_EQ(fileText(path), contents);
        said(path.toStdString() + problem, "file is left as it is");
    }

    // Beside a registry file in a folder nobody can make, root included.
    vsq::platform::RegistryStore::instance() =
        vsq::platform::RegistryStore("/proc/vsq-no-such-folder/registry.txt");
    reloadWith(nullptr);
    said(std::string("/proc/vsq-no-such-folder: ") + std::strerror(ENOENT),
         "folder cannot be made");
}

TEST_F(RegisterWindowTest, AnEnterBeforeAnyRegisterIsChosenSendsNothing) {
    load();
    windows().show<ReadWriteForm>();
    QWidget* shown = window().window();
    shown->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();

    EXPECT_EQ(traffic(), "");
    EXPECT_EQ(caption("HexDECLBL").toStdString(), "");
    EXPECT_EQ(digit("bit7").text().toStdString(), "0");
}

TEST_F(RegisterWindowTest, AMouseClickReadsOnceAndTheKeyboardReadsEachRegisterReached) {
    ReadWriteForm& form = load();
    windows().show<ReadWriteForm>();
    form.node("ByRegister")->setExpanded(true);
    form.Registertree->setCurrentItem(form.node("ByRegister"));
    QTest::keyClick(form.Registertree, Qt::Key_Down);
    tick();
    QTest::keyClick(form.Registertree, Qt::Key_Down);
    tick();
    EXPECT_EQ(traffic(), "S A8+ 00+ P S A9+ 00- P S A8+ 01+ P S A9+ 00- P");

    journal().clear();
    const QRect place = form.Registertree->visualItemRect(form.node("P1PLBPOLA"));
    QTest::mouseClick(form.Registertree->viewport(), Qt::LeftButton, {}, place.center());
    tick();
    tick();
    EXPECT_EQ(traffic(), "S A8+ 00+ P S A9+ 00- P");
}

// A press on one node and a release on another highlights the second: the
// panel reads it, and a value typed next is written there.
TEST_F(RegisterWindowTest, ASlippedClickPointsThePanelAtTheNodeReleasedOn) {
    pc().chip(1).setRegisterValue(0x03, 0x42);
    pc().chip(1).setRegisterValue(0xB8, 0x99);
    ReadWriteForm& form = load();
    windows().show<ReadWriteForm>();
    form.node("ByRegister")->setExpanded(true);
    click("PS1OVTH");
    journal().clear();

    QWidget* view = form.Registertree->viewport();
    const auto centre = [&](const char* key) {
        return form.Registertree->visualItemRect(form.node(key)).center();
    };
    QTest::mousePress(view, Qt::LeftButton, {}, centre("P1PLBPOLA"));
    QTest::mouseMove(view, centre("P1SFDIMKA"));
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre("P1SFDIMKA"));
    processEvents();
    tick();
    ASSERT_EQ(form.Registertree->currentItem(), form.node("P1SFDIMKA"));
    EXPECT_EQ(traffic(), "S A8+ 03+ P S A9+ 42- P");
    EXPECT_EQ(caption("AddressPointerLbl").toStdString(), "3");

    auto* field = panel().findChild<QWidget*>("DecValueTXT")->findChild<QLineEdit*>("TextBox");
    field->setText("17");
    QTest::keyClick(field, Qt::Key_Return);
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
    EXPECT_EQ(traffic(), "S A8+ 03+ P S A9+ 42- P S A8+ 03+ 11+ P S A8+ 03+ P S A9+ 11- P");
    EXPECT_EQ(pc().chip(1).registerValue(0x03), 17);
    EXPECT_EQ(pc().chip(1).registerValue(0xB8), 0x99);
}

} // namespace
} // namespace trelvane::testing
