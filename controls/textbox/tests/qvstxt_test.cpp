#include "controls/textbox/tests/qvstxt_fixture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace quiltane;
using vsq::controls::statusOf;

// It stores only what differs from the defaults: its text, which is its
// name, and its font, its own rather than the host's.
TEST_F(QvstxtTest, ANewInstanceShowsItsNameOnTheHostAndStoresOnlyWhatDiffers) {
    EXPECT_EQ(box.Text(), QStringLiteral("QVSTXT1"));
    EXPECT_EQ(box.NumberBase(), AnyCharacter0);
    EXPECT_EQ(box.MaxNibbles(), 2);
    EXPECT_FALSE(box.DisplayUpdateIndicator());
    EXPECT_FALSE(red());
    vsq::controls::PropertyBag bag;
    box.writeProperties(bag);
    QStringList keys;
    for (const auto& entry : bag.entries()) {
        keys << entry.key;
    }
    EXPECT_EQ(keys, (QStringList{"Font", "Text"}));
}

TEST_F(QvstxtTest, TypingInHexUpperCasesAndRefusesOtherKeysWhileTheIndicatorTurnsRed) {
    box.setMaxNibbles(4);
    box.setNumberBase(Hex4);
    box.setText("");
    QList<int> pressed;
    QObject::connect(&box, &QVSTXT::KeyPress, [&](qint16& key) { pressed << key; });

    QTest::keyClicks(textBox(), "a1f");
    EXPECT_EQ(box.Text(), QStringLiteral("A1F"));
    EXPECT_TRUE(red());
    EXPECT_EQ(pressed, (QList<int>{'a', '1', 'f'}));

    box.setClearIndicator(true);
    EXPECT_FALSE(red());
    QTest::keyClicks(textBox(), "g-");
    EXPECT_EQ(box.Text(), QStringLiteral("A1F"));
    EXPECT_TRUE(red()); // a refused key still turns it red

    QTest::keyClick(textBox(), Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), QStringLiteral("A1"));
    EXPECT_EQ(box.Value(), 0xA1);
}

TEST_F(QvstxtTest, EnterRaisesUpdateWithTheTextThenTurnsTheIndicatorGreen) {
    box.setNumberBase(Decimal2);
    box.setText("");
    QTest::keyClicks(textBox(), "12");
    bool redDuringUpdate = false;
    double valueDuringUpdate = -1;
    QObject::connect(&box, &QVSTXT::Update, [&](const QString&) {
        redDuringUpdate = red();
        valueDuringUpdate = box.Value();
    });
    events.clear();
    QTest::keyClick(textBox(), Qt::Key_Return);
    EXPECT_EQ(only("Update"), QStringList{"Update 12"});
    EXPECT_TRUE(redDuringUpdate);
    EXPECT_EQ(valueDuringUpdate, 12);
    EXPECT_FALSE(red());
    EXPECT_EQ(box.Text(), QStringLiteral("12")); // the Enter character itself is cancelled
}

TEST_F(QvstxtTest, TheIndicatorCommitsAndStaysClickableWhenTheFieldIsDisabled) {
    box.setDisplayUpdateIndicator(true);
    box.setEnabled(false);
    EXPECT_FALSE(textBox()->isEnabled());
    EXPECT_TRUE(indicator()->isEnabled());
    EXPECT_FALSE(box.Enabled());
    QTest::mouseClick(indicator(), Qt::LeftButton);
    EXPECT_EQ(only("Update"), QStringList{"Update QVSTXT1"});
}

TEST_F(QvstxtTest, AValueAboveTheLimitTypedInDecimalIsReportedAndCut) {
    box.setNumberBase(Decimal2);
    box.setText("");
    QTest::keyClicks(textBox(), "25");
    EXPECT_FALSE(box.Error());
    events.clear();
    QTest::keyClicks(textBox(), "6");
    EXPECT_EQ(events.filter(QRegularExpression("^(KeyUp|Error)")),
              (QStringList{"KeyUp 54 0", "ErrorOccured 1 Overflow"}));
    EXPECT_EQ(box.Text(), QStringLiteral(" 255"));
    EXPECT_TRUE(box.Error());
    EXPECT_FALSE(box.Error());
}

TEST_F(QvstxtTest, TextWritesFilterNotifyAndRunTheKeyUpCheck) {
    box.setMaxNibbles(4);
    box.setNumberBase(Hex4);
    events.clear();
    box.setText("12xyZab\r");
    EXPECT_EQ(box.Text(), QStringLiteral("12AB"));
    // The carriage return commits with the text as it stood before.
    EXPECT_EQ(events, (QStringList{"Update 0000", "changed Text", "KeyUp 0 0"}));
}

// Written by the host, a text too long for the conversions empties the field
// and is reported as the text write's failure; only typing and pasting cut it.
TEST_F(QvstxtTest, AnOverLongTextWriteEmptiesTheFieldAndReportsLetTxt) {
    const struct {
        tNumberBase base;
        QString text;
        QStringList reports;
        QString after;
    } cases[] = {
        // clang-format off
        {Hex4, QString(256, u'1'), {"ErrorOccured 6 LetTxt: Overflow"}, ""},
        {Hex4, QString(255, u'0'), {}, QString(255, u'0')},
        {Binary1, "1" + QString(79, u'0'),
         {"ErrorOccured 1 Overflow", "ErrorOccured 6 LetTxt: Overflow"}, ""},
        {Binary1, "1" + QString(78, u'0'), {"ErrorOccured 1 Overflow"}, "000000000"},
        {Binary1, QString(1100, u'1'), {"ErrorOccured 6 ConvertBinStrToDec: Overflow"},
         "000000000"},
        // clang-format on
    };
    for (const auto& c : cases) {
        box.setNumberBase(c.base);
        events.clear();
        box.setText(c.text);
        EXPECT_EQ(only("ErrorOccured"), c.reports) << c.text.size();
        EXPECT_EQ(box.Text(), c.after) << c.text.size();
    }
}

TEST_F(QvstxtTest, MaxNibblesIsClampedAndRetestsTheText) {
    box.setMaxNibbles(4);
    box.setNumberBase(Hex4);
    box.setText("FFFF");
    events.clear();
    box.dispatchPut("maxnibbles", 2);
    EXPECT_EQ(events, (QStringList{"KeyUp 0 0", "ErrorOccured 1 Overflow", "changed MaxNibbles"}));
    EXPECT_EQ(box.Text(), QStringLiteral("FF"));
    box.dispatchPut(0x68030001, 200);
    EXPECT_EQ(box.dispatchGet("MaxNibbles"), QVariant::fromValue<std::uint8_t>(16));
    EXPECT_EQ(statusOf([&] { box.dispatchPut("MaxNibbles", 300); }).number, 6);
}

TEST_F(QvstxtTest, AMemberByNameAndByDispatchIdGivesTheSameAnswer) {
    box.dispatchPut("NUMBERBASE", 4);
    box.dispatchPut(0x68030005, "ff");
    EXPECT_EQ(box.dispatchGet("value"), box.dispatchGet(0x68030004));
    EXPECT_EQ(box.dispatchGet("Value"), QVariant(255.0));
    const struct {
        const char* name;
        vsq::controls::DispatchId id;
    } members[] = {
        // clang-format off
        {"Alignment", 0x68030011}, {"Appearance", 0x68030010}, {"BackColor", 0x6803000F},
        {"BorderStyle", 0x6803000E}, {"Enabled", 0x6803000D}, {"Font", -512},
        {"ForeColor", 0x6803000C}, {"MaxLength", 0x6803000B}, {"Locked", 0x6803000A},
        {"PasswordChar", 0x68030009}, {"ScrollBars", 0x68030008}, {"ToolTipText", 0x68030007},
        {"NumberBase", 0x68030006}, {"Text", 0x68030005}, {"Value", 0x68030004},
        {"MousePointer", 0x68030003}, {"DisplayUpdateIndicator", 0x68030002},
        {"Error", 0x6003002B}, {"MaxNibbles", 0x68030001}, {"ClearIndicator", 0x68030000},
        // clang-format on
    };
    ASSERT_EQ(box.memberTable().members().size(), std::size(members));
    for (std::size_t i = 0; i < std::size(members); ++i) {
        EXPECT_EQ(box.memberTable().members()[i].name, members[i].name);
        EXPECT_EQ(box.dispatchIdOf(members[i].name), members[i].id) << members[i].name;
        if (members[i].id != 0x6003002B && members[i].id != 0x68030004) {
            EXPECT_EQ(box.dispatchGet(members[i].name), box.dispatchGet(members[i].id))
                << members[i].name;
        }
    }
    // Only the control's own members are reached.
    EXPECT_EQ(statusOf([&] { box.dispatchGet("objectName"); }).number, 438);
    EXPECT_EQ(statusOf([&] { box.dispatchPut("ScrollBars", 1); }).number, 438);
}

TEST_F(QvstxtTest, ForwardedSettingsFailTheCallWhenInvalid) {
    EXPECT_EQ(statusOf([&] { box.dispatchPut("Alignment", 3); }).number, 380);
    EXPECT_EQ(statusOf([&] { box.dispatchPut("BackColor", 0x80000050u); }).number, 380);
    EXPECT_EQ(statusOf([&] { box.dispatchPut("PasswordChar", "ab"); }).number, 380);
    EXPECT_EQ(box.Alignment(), 1);
    events.clear();
    box.dispatchPut("alignment", 2);
    box.dispatchPut("BackColor", 0xFF);
    box.dispatchPut("Locked", true);
    box.dispatchPut("PasswordChar", "*");
    EXPECT_EQ(events, (QStringList{"changed Alignment", "changed BackColor", "changed Locked",
                                   "changed PasswordChar"}));
    EXPECT_EQ(textBox()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(textBox()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_TRUE(textBox()->isReadOnly());
    EXPECT_EQ(textBox()->echoMode(), QLineEdit::Password);
}

TEST_F(QvstxtTest, ClearIndicatorReadsFalseAndAlwaysNotifies) {
    QTest::keyClicks(textBox(), "x");
    ASSERT_TRUE(red());
    events.clear();
    box.setClearIndicator(false);
    EXPECT_TRUE(red());
    box.dispatchPut("ClearIndicator", true);
    EXPECT_FALSE(red());
    EXPECT_EQ(box.dispatchGet("ClearIndicator"), QVariant(false));
    EXPECT_EQ(events, (QStringList{"changed ClearIndicator", "changed ClearIndicator"}));
    EXPECT_TRUE(only("Update").isEmpty());
}

TEST_F(QvstxtTest, AKeyPressHandlerMayChangeTheKeyBeforeItIsFiltered) {
    box.setNumberBase(Decimal2);
    box.setText("");
    QObject::connect(&box, &QVSTXT::KeyPress, [](qint16& key) {
        if (key == 'x') {
            key = '7';
        }
    });
    QTest::keyClicks(textBox(), "x1");
    EXPECT_EQ(box.Text(), QStringLiteral("71"));
}

TEST_F(QvstxtTest, ABaseChangeThatCannotConvertFailsTheCall) {
    box.setNumberBase(Decimal2);
    box.setValue(-5);
    box.setNumberBase(Hex4);
    EXPECT_EQ(box.Text(), QStringLiteral("1FB"));
    vsq::controls::PropertyBag bag;
    bag.append("NumberBase", QVariant::fromValue<std::uint8_t>(2));
    bag.append("Text", QStringLiteral("12a"));
    box.readProperties(bag);
    EXPECT_EQ(statusOf([&] { box.dispatchPut("NumberBase", 4); }).number, 13);
    EXPECT_EQ(box.NumberBase(), Decimal2);
    EXPECT_EQ(box.Text(), QStringLiteral("12a"));
    box.setText("");
    box.setNumberBase(Oct3); // an empty decimal field reads 0
    EXPECT_EQ(box.Text(), QStringLiteral("0"));
    box.setText("");
    box.setNumberBase(Binary1); // padded to 4n digits
    EXPECT_EQ(box.Text(), QStringLiteral("00000000"));
}

TEST_F(QvstxtTest, LayoutInTwipsWithAndWithoutTheIndicator) {
    EXPECT_EQ(textBox()->geometry(), QRect(0, 0, 100, 20));
    EXPECT_EQ(indicator()->geometry(), QRect(-13, -13, 0, 0));
    box.setDisplayUpdateIndicator(true);
    EXPECT_EQ(textBox()->geometry(), QRect(0, 0, 83, 20));
    EXPECT_EQ(indicator()->geometry(), QRect(83, 0, 17, 20));
    box.resize(10, 20); // narrower than the indicator
    EXPECT_EQ(textBox()->width(), 0);
    EXPECT_EQ(indicator()->geometry(), QRect(0, 0, 17, 20));
}

TEST_F(QvstxtTest, MouseEventsCarryTwipsAndAClick) {
    QList<float> position;
    QObject::connect(&box, &QVSTXT::MouseUp,
                     [&](qint16& button, qint16& shift, float& x, float& y) {
                         position << button << shift << x << y;
                     });
    QSignalSpy clicks(&box, &QVSTXT::Click);
    QTest::mouseClick(textBox(), Qt::LeftButton, Qt::ShiftModifier, QPoint(4, 5));
    EXPECT_EQ(position, (QList<float>{1, 1, 60, 75}));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(QvstxtTest, AnOverLongPasteIsReportedAndCutAtTheNextKeyRelease) {
    box.setNumberBase(Hex4);
    box.setText("");
    textBox()->insert(QString(300, u'1')); // as a paste would, past the key filter
    events.clear();
    QTest::keyRelease(textBox(), Qt::Key_Control);
    EXPECT_EQ(only("ErrorOccured"), QStringList{"ErrorOccured 6 Overflow"});
    EXPECT_EQ(box.Text(), QStringLiteral("11"));
}

TEST_F(QvstxtTest, LoadingIntoAShownBoxLaysItOut) {
    vsq::controls::PropertyBag bag;
    bag.append("DisplayUpdateIndicator", true);
    box.readProperties(bag);
    EXPECT_EQ(indicator()->geometry(), QRect(83, 0, 17, 20));
}
