#include "app/tools/tests/tool_test.h"
#include "app/tools/wdi_form.h"
#include "controls/display/selector.h"

#include <QCheckBox>
#include <QPushButton>

namespace trelvane {
namespace {

class WDIFormTest : public testing::ToolWindowTest<WDIFRM> {
protected:
    static QString shown(const vsq::display::Selector* selector) {
        return selector->textList().at(selector->Position());
    }
    static void turn(vsq::display::Selector* selector, std::int16_t position) {
        selector->setPosition(position);
        emit selector->Turned(position);
    }
};

TEST_F(WDIFormTest, ReadingShowsBothFieldsAndATurnWritesBoth) {
    chip().setRegisterValue(0x9C, 0xFF);
    WDIFRM& form = load();
    EXPECT_EQ(shown(form.PLSel), "10000us ");
    EXPECT_EQ(shown(form.WTSEL), "12800ms");
    EXPECT_TRUE(form.EnablePullDownCHK->isChecked()); // PDEN 0x1E
    EXPECT_EQ(reads(), std::vector<int>({0x9C, 0x91}));
    clearJournal();
    turn(form.WTSEL, 0);
    EXPECT_EQ(writes(), Writes({"9C=18"}));
    EXPECT_TRUE(reads().empty()) << "nothing read first";

    chip().setRegisterValue(0x9C, 0x0B);
    clearJournal();
    form.RefreshCMD->click();
    EXPECT_EQ(shown(form.PLSel), "100us ");
    EXPECT_EQ(shown(form.WTSEL), "800ms ");
    EXPECT_TRUE(writes().empty());

    failNextTransfer(); // WDCFG's read gives 0
    form.RefreshCMD->click();
    EXPECT_EQ(shown(form.PLSel), "10us ");
    EXPECT_EQ(shown(form.WTSEL), "Disabled");
    EXPECT_TRUE(writes().empty());
}

TEST_F(WDIFormTest, ThePullDownChangesOnlyBitFourAndNothingWhenTheReadFails) {
    chip().setRegisterValue(0x91, 0x0F);
    WDIFRM& form = load();
    clearJournal();
    form.EnablePullDownCHK->click();
    EXPECT_EQ(reads(), std::vector<int>({0x91}));
    EXPECT_EQ(writes(), Writes({"91=1F"}));

    clearJournal();
    failNextTransfer();
    form.EnablePullDownCHK->click();
    EXPECT_TRUE(writes().empty());
    EXPECT_TRUE(form.EnablePullDownCHK->isChecked()) << "the box shows the chip again";
    EXPECT_EQ(chip().registerValue(0x91), 0x1F);
}

} // namespace
} // namespace trelvane
