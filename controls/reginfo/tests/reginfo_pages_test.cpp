// The panel's property pages, reading and writing the first selected panel.

#include "controls/common/basic_error.h"
#include "controls/common/control_host.h"
#include "controls/common/tests/qstring_printer.h"
#include "controls/reginfo/qvsreginfo.h"
#include "controls/reginfo/reginfo_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using mirelda::QVSRegInfo;
using vsq::controls::BasicError;

namespace {

// Stands on the host as a manager does: by its type name.
class ManagerStandIn : public QWidget, public vsq::controls::Control {
public:
    using QWidget::QWidget;
    QString typeName() const override { return QStringLiteral("QVSManager"); }
    const vsq::controls::MemberTable& memberTable() const override {
        static const vsq::controls::MemberTable table{};
        return table;
    }
    void initProperties() override {}
    void readProperties(const vsq::controls::PropertyBag&) override {}
    void writeProperties(vsq::controls::PropertyBag&) override {}
};

class RegInfoPagesTest : public ::testing::Test {
protected:
    RegInfoPagesTest() {
        host.add(panel, "QVSRegInfo1");
        host.add(first, "QVSManager1");
        host.add(second, "QVSManager2");
        host.add(other, "QVSRegInfo2");
        host.placeNew();
    }
    template <class T> T& field(vsq::controls::PropertyPage& page, const char* name) {
        return *page.findChild<T*>(name);
    }

    QWidget window;
    vsq::controls::ControlHost host{window};
    QVSRegInfo panel{&window};
    ManagerStandIn first{&window};
    ManagerStandIn second{&window};
    QVSRegInfo other{&window};
    std::vector<std::unique_ptr<vsq::controls::PropertyPage>> pages = mirelda::makeRegInfoPages();
};

} // namespace

TEST_F(RegInfoPagesTest, ThePanelListsItsThreePagesInOrder) {
    QStringList captions;
    for (const auto& page : pages) {
        captions << page->caption();
        EXPECT_EQ(page->size(), QSize(395, 233)); // 5925 x 3495 twips
    }
    EXPECT_EQ(captions, (QStringList{"QVSRegInfoCommunications", "QVSRegInfoToolTips",
                                     "QVSRegInfo Details"}));
}

TEST_F(RegInfoPagesTest, TheCommunicationsPageLoadsTheManagersAndFieldsAndAppliesThem) {
    panel.setAddressPointer(16);
    panel.setRWValue(165);
    vsq::controls::PropertyPage& page = *pages[0];
    page.setSelectedControls({&panel, &other});
    auto& masters = field<QComboBox>(page, "AvailableMControlsCombo");
    QStringList listed;
    for (int i = 0; i < masters.count(); ++i) {
        listed << masters.itemText(i);
    }
    EXPECT_EQ(listed, (QStringList{"None", "QVSManager1", "QVSManager2"}));
    EXPECT_EQ(masters.currentText(), "None");
    EXPECT_FALSE(field<QCheckBox>(page, "chkFlag").isChecked());
    EXPECT_TRUE(field<QCheckBox>(page, "chkExecuteRead").isChecked());
    EXPECT_EQ(field<QLineEdit>(page, "txtAddressPointer").text(), "16"); // decimal
    EXPECT_EQ(field<QLineEdit>(page, "txtRWValue").text(), "165");
    EXPECT_EQ(field<QLineEdit>(page, "txtAutoReadTimerInterval").text(), "1");
    EXPECT_TRUE(page.Changed());

    // Applying writes the first selected panel only.
    masters.setEditText("QVSManager2");
    field<QCheckBox>(page, "chkExecuteRead").setChecked(false);
    field<QLineEdit>(page, "txtAddressPointer").setText("33");
    field<QLineEdit>(page, "txtRWValue").setText("9215");
    field<QLineEdit>(page, "txtAutoReadTimerInterval").setText("250");
    page.apply();
    EXPECT_EQ(panel.Master(), "QVSManager2");
    EXPECT_FALSE(panel.ExecuteRead());
    EXPECT_EQ(panel.AddressPointer(), 33);
    EXPECT_EQ(panel.RWValue(), 9215);
    EXPECT_EQ(panel.AutoReadTimerInterval(), 250);
    EXPECT_FALSE(page.Changed());
    EXPECT_EQ(other.Master(), "");
}

TEST_F(RegInfoPagesTest, AFieldThatDoesNotConvertAppliesNothing) {
    const std::pair<const char*, const char*> bad[] = {
        // clang-format off
        {"txtAddressPointer", "x1"}, {"txtAddressPointer", "70000"}, {"txtRWValue", "abc"},
        {"txtAutoReadTimerInterval", "1e20"},
        // clang-format on
    };
    for (const auto& [name, text] : bad) {
        auto pages = mirelda::makeRegInfoPages();
        vsq::controls::PropertyPage& page = *pages[0];
        page.setSelectedControls({&panel});
        field<QComboBox>(page, "AvailableMControlsCombo").setEditText("QVSManager1");
        field<QCheckBox>(page, "chkFlag").setChecked(true);
        field<QLineEdit>(page, name).setText(text);
        EXPECT_THROW(page.apply(), BasicError) << name << " " << text;
        EXPECT_EQ(panel.Master(), "") << name;
        EXPECT_FALSE(panel.Flag());
        EXPECT_TRUE(page.Changed());
    }
}

TEST_F(RegInfoPagesTest, TheToolTipAndDetailsPagesRoundTripTheirTexts) {
    panel.setAutoReadToolTipText("auto");
    panel.setRegisterDetails("UPDCFG: update control");
    pages[1]->setSelectedControls({&panel});
    pages[2]->setSelectedControls({&panel});
    EXPECT_EQ(field<QLineEdit>(*pages[1], "txtAutoReadToolTipText").text(), "auto");
    EXPECT_EQ(field<QLineEdit>(*pages[1], "txtBinDigitstoolTipText").text(), "Click to Change");
    EXPECT_EQ(field<QPlainTextEdit>(*pages[2], "txtRegisterDetails").toPlainText(),
              "UPDCFG: update control");
    field<QLineEdit>(*pages[1], "txtHexTxtBoxToolTipText").setText("hex");
    field<QPlainTextEdit>(*pages[2], "txtRegisterDetails").setPlainText("new");
    pages[1]->apply();
    pages[2]->apply();
    EXPECT_EQ(panel.HexTxtBoxToolTipText(), "hex");
    EXPECT_EQ(panel.AutoReadToolTipText(), "auto");
    EXPECT_EQ(panel.RegisterDetails(), "new");
}
