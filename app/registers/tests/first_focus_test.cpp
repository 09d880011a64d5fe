// What the register access window does with the keyboard before a register is
// chosen.

#include "register_window.h"

#include <QApplication>
#include <QtTest/QTest>

namespace trelvane::testing {
namespace {

using RegisterWindowFocusTest = RegisterWindow;

TEST_F(RegisterWindowFocusTest, AnEnterBeforeAnyRegisterIsChosenSendsNothing) {
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

} // namespace
} // namespace trelvane::testing
