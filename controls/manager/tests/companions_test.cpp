#include "controls/manager/new_control_manager.h"

#include <gtest/gtest.h>

namespace orvessa {
namespace {

TEST(ManagerCompanions, AControlManagerHoldsItsOwnRecordsAndSharesReplacedOnes) {
    auto first = newControlManager();
    auto second = newControlManager();
    ASSERT_TRUE(first->Identity() && first->Control());
    EXPECT_NE(first->Identity(), second->Identity());
    EXPECT_NE(first->Control(), second->Control());
    EXPECT_EQ(first->Control()->PollingDelay(), 0);

    QString name = "Manager 1";
    first->Identity()->setName(name);
    first->Identity()->setVersion("1.0");
    name = "changed";
    EXPECT_EQ(first->Identity()->Name(), "Manager 1");
    EXPECT_EQ(first->Identity()->Version(), "1.0");
    for (std::int16_t delay : {std::int16_t(-32768), std::int16_t(32767)}) {
        first->Control()->setPollingDelay(delay);
        EXPECT_EQ(first->Control()->PollingDelay(), delay);
    }

    // Set by reference: both now hold the one record, which lives until the
    // last of them ends.
    second->setIdentity(first->Identity());
    second->setControl(first->Control());
    const std::weak_ptr<Identity> identity = first->Identity();
    const std::weak_ptr<Control> control = first->Control();
    first.reset();
    EXPECT_EQ(second->Identity()->Name(), "Manager 1");
    EXPECT_EQ(second->Control()->PollingDelay(), 32767);
    second.reset();
    EXPECT_TRUE(identity.expired() && control.expired());
}

} // namespace
} // namespace orvessa
