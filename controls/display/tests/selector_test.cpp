#include "controls/display/selector.h"
#include "controls/display/tests/display_test_support.h"

#include <QTest>
#include <gtest/gtest.h>

using vsq::display::Selector;

namespace {

const QString kTimeouts =
    QStringLiteral("Disabled|200ms |400ms |800ms |1600ms |3200ms |6400ms |12800ms");

struct SelectorTest : ::testing::Test {
    SelectorTest() {
        selector.setTexts(kTimeouts);
        selector.resize(selector.sizeHint());
        QObject::connect(&selector, &Selector::Turned, [this](qint16 position) {
            turns << position;
            EXPECT_EQ(selector.Position(), position);
        });
    }
    Selector selector;
    QList<int> turns;
};

} // namespace

TEST_F(SelectorTest, EveryMemberByItsDispatchNumber) {
    const QString caption = QStringLiteral("Pulse Length"), tip = QStringLiteral("Turn");
    const QString texts = QStringLiteral("10us |100us |1000us |10000us ");
    expectMembers(selector, {{29, 3, std::int16_t{3}}, {-518, caption, caption}});
    expectMembers(selector, {{200, texts, texts}, {201, 4, std::int16_t{4}}, {202, tip, tip}});
    EXPECT_EQ(selector.textList(),
              (QStringList{"10us ", "100us ", "1000us ", "10000us "})); // blanks kept
    EXPECT_TRUE(turns.isEmpty());
}

TEST_F(SelectorTest, PositionsAndCountsAreKeptInRange) {
    const struct {
        int count, position, expected;
    } cases[] = {{8, 9, 7}, {8, -1, 0}, {4, 3, 3}, {1, 5, 0}, {16, 15, 15}};
    for (const auto& c : cases) {
        selector.setPositionCount(static_cast<std::int16_t>(c.count));
        selector.setPosition(static_cast<std::int16_t>(c.position));
        EXPECT_EQ(selector.Position(), c.expected) << c.count << " " << c.position;
    }
    selector.setPositionCount(8);
    selector.setPosition(7);
    selector.setTexts(QStringLiteral("10us |100us "));
    EXPECT_EQ(selector.PositionCount(), 2);
    EXPECT_EQ(selector.Position(), 1);
    EXPECT_EQ(failureOf([&] { selector.setPositionCount(0); }), 380);
    EXPECT_EQ(failureOf([&] { selector.setPositionCount(17); }), 380);
}

TEST_F(SelectorTest, TheUsersTurnsRaiseTurnedWithTheNewPosition) {
    const struct {
        int key; // 0: one wheel notch away, -1: a click on position 6's text
        int expected;
    } cases[] = {
        {Qt::Key_Right, 4},
        {Qt::Key_Up, 4},
        {Qt::Key_Left, 2},
        {Qt::Key_Down, 2},
        {Qt::Key_Home, 0},
        {Qt::Key_End, 7},
        {0, 4},
        {-1, 6},
    };
    for (const auto& c : cases) {
        selector.setPosition(3);
        turns.clear();
        if (c.key == -1) {
            QTest::mouseClick(&selector, Qt::LeftButton, {}, selector.textCentre(6).toPoint());
        } else {
            pressKeyOrTurnWheel(selector, c.key);
        }
        EXPECT_EQ(turns, QList<int>{c.expected}) << c.key;
    }
    // Staying on the position raises nothing.
    selector.setPosition(7);
    turns.clear();
    QTest::keyClick(&selector, Qt::Key_End);
    QTest::mouseClick(&selector, Qt::LeftButton, {}, selector.textCentre(7).toPoint());
    EXPECT_TRUE(turns.isEmpty());
}

TEST_F(SelectorTest, AbsentBagKeysReadAsTheDefaults) {
    selector.setCaption(QStringLiteral("Pulse Length"));
    selector.readProperties(vsq::controls::PropertyBag{});
    expectReads(selector, {{"Position", 0}, {"PositionCount", 2}, {"Texts", ""}, {"Caption", ""}});
}
