// Servicing the panels' requests on the simulated board, checked on the journal.

#include "controls/manager/tests/manager_fixture.h"

using vsq::controls::PropertyBag;

TEST_F(ManagerTest, TwoFlaggedPanelsAreServedInOneTickInHostOrder) {
    start();
    pc().chip().setRegisterValue(0x94, 0x3E);
    second.request(0, 0xA8, 0x10, false, 0x5A);
    first.request(0, 0xA8, 0x94, true);
    ASSERT_TRUE(tick());
    EXPECT_EQ(traffic(), "S A8+ 94+ P S A9+ 3E- P S A8+ 10+ 5A+ P");
    EXPECT_EQ(first.flagWrites, QStringList{"False 62"});
    EXPECT_EQ(second.flagWrites, QStringList{"False 90"});
}
