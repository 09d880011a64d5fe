#include "app/tools/pdo_form.h"
#include "app/tools/tests/tool_test.h"

#include <QComboBox>
#include <QPushButton>

namespace trelvane {
namespace {

using PDOFormTest = testing::ToolWindowTest<PDOFRM>;

// Loading reads and writes nothing; each choice then writes the whole register
// and shows what was written.
TEST_F(PDOFormTest, LoadingReadsTheNineOutputsInOrderAndEachChoiceWritesTheWholeRegister) {
    chip().setRegisterValue(0x3D, 0x35);
    chip().setRegisterValue(0x4D, 0x8C); // mode 0, pull-up "Undefined"
    PDOFRM& form = load();
    EXPECT_EQ(reads(), std::vector<int>({0x0D, 0x1D, 0x2D, 0x3D, 0x4D, 0x5D, 0x6D, 0x7D, 0x8D}));
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(form.EnabledCombo[3]->currentText(), "SMBus Data, Drive High");
    EXPECT_EQ(form.PullUpCombo[3]->currentText(), "VP 1, Strong Pullup");
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(form.ReadAllCMD->isEnabled());
    clearJournal();
    choose(form.EnabledCombo[3], 3); // the same entry again
    choose(form.EnabledCombo[3], 5); // "Undefined" writes mode 0
    choose(form.PullUpCombo[4], 1);  // "N/A" writes code 2, as "Vfet" does
    EXPECT_EQ(writes(), Writes({"3D=35", "3D=05", "4D=02"}));
    EXPECT_EQ(form.EnabledCombo[3]->currentText(), "Disabled with weak pulldown");
    EXPECT_EQ(form.PullUpCombo[4]->currentText(), "N/A");
    EXPECT_EQ(reads(), std::vector<int>());
}

TEST_F(PDOFormTest, ReadAllShowsTheChipAndWritesNothing) {
    PDOFRM& form = load();
    chip().setRegisterValue(0x7D, 0x7D); // the codes past both lists' ends
    chip().setRegisterValue(0x8D, 0x01);
    clearJournal();
    failNextTransfer(); // PDO 1's read gives 0
    form.ReadAllCMD->click();
    EXPECT_EQ(form.PullUpCombo[0]->currentText(), "None");
    EXPECT_EQ(form.EnabledCombo[0]->currentText(), "Disabled with weak pulldown");
    EXPECT_EQ(reads().size(), 8u) << "PDO 1's read gave up before the chip";
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(form.PullUpCombo[7]->currentText(), "Undefined");
    EXPECT_EQ(form.EnabledCombo[7]->currentText(), "Undefined");
    EXPECT_EQ(form.PullUpCombo[8]->currentText(), "None");
    EXPECT_EQ(form.EnabledCombo[8]->currentText(), "Disabled with weak pulldown");
    EXPECT_TRUE(form.isEnabled());
}

} // namespace
} // namespace trelvane
