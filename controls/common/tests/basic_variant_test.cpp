#include "controls/common/basic_error.h"
#include "controls/common/basic_variant.h"
#include "controls/common/tests/failure_number.h"

#include <QFont>
#include <gtest/gtest.h>

using namespace vsq::controls;

namespace {

enum Shade : std::uint8_t { Light = 1, Dark = 2 };

} // namespace

TEST(BasicVariant, NumbersFromEveryKindOfValue) {
    EXPECT_EQ(toByte(QVariant()), 0);
    EXPECT_EQ(toByte(QVariant(200)), 200);
    EXPECT_EQ(toByte(QVariant(QStringLiteral(" 17 "))), 17);
    EXPECT_EQ(toByte(QVariant(QStringLiteral("&HFF"))), 255);
    EXPECT_EQ(toInteger(QVariant(true)), -1);
    EXPECT_EQ(toLong(QVariant::fromValue<quint8>(7)), 7);
    EXPECT_EQ(toDouble(QVariant(2.5f)), 2.5);
    EXPECT_EQ(failureNumberOf([] { toByte(QVariant(true)); }), 6);
    EXPECT_EQ(failureNumberOf([] { toByte(QVariant(300)); }), 6);
    EXPECT_EQ(failureNumberOf([] { toByte(QVariant(QStringLiteral("abc"))); }), 13);
    EXPECT_EQ(failureNumberOf([] { toByte(QVariant(QString())); }), 13);
    EXPECT_EQ(failureNumberOf([] { toDouble(QVariant(QFont())); }), 13);
}

TEST(BasicVariant, BooleansAndTexts) {
    EXPECT_FALSE(toBoolean(QVariant()));
    EXPECT_TRUE(toBoolean(QVariant(-1)));
    EXPECT_TRUE(toBoolean(QVariant(QStringLiteral("true"))));
    EXPECT_FALSE(toBoolean(QVariant(QStringLiteral(" FALSE "))));
    EXPECT_TRUE(toBoolean(QVariant(QStringLiteral("2"))));
    EXPECT_EQ(failureNumberOf([] { toBoolean(QVariant(QStringLiteral("yes"))); }), 13);
    EXPECT_EQ(toText(QVariant(true)), QStringLiteral("True"));
    EXPECT_EQ(toText(QVariant(255.0)), QStringLiteral("255"));
    EXPECT_EQ(toText(QVariant(0.1f)), QStringLiteral("0.1"));
    EXPECT_EQ(toText(QVariant()), QString());
}

TEST(BasicVariant, BasicEqualityForDefaults) {
    EXPECT_TRUE(basicEquals(QVariant(), QVariant(0)));
    EXPECT_TRUE(basicEquals(QVariant(), QVariant(QString())));
    EXPECT_TRUE(basicEquals(QVariant(), QVariant()));
    EXPECT_FALSE(basicEquals(QVariant(), QVariant(QStringLiteral("x"))));
    EXPECT_TRUE(basicEquals(QVariant(true), QVariant(-1)));
    EXPECT_TRUE(basicEquals(QVariant::fromValue<quint8>(2), QVariant(2.0)));
    EXPECT_FALSE(basicEquals(QVariant(QStringLiteral("a")), QVariant(QStringLiteral("A"))));
}

TEST(BasicVariant, FieldTypesAndEnumerations) {
    EXPECT_EQ(fromVariant<Shade>(QVariant(2.0)), Dark);
    EXPECT_EQ(failureNumberOf([] { fromVariant<Shade>(QVariant(256)); }), 6);
    EXPECT_EQ(toVariant(Dark).metaType(), QMetaType::fromType<std::uint8_t>());
    QFont font(QStringLiteral("Arial"));
    EXPECT_EQ(fromVariant<QFont>(QVariant(font)), font);
    EXPECT_EQ(failureNumberOf([] { fromVariant<QFont>(QVariant(1)); }), 13);
}
