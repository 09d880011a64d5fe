#include "controls/common/dispatchable.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vsq::controls;

namespace {

enum TransferShape : std::uint8_t { ByteShape = 0, WordShape = 1 };

// A small control-like class with one of each kind of member.
class Panel : public Dispatchable {
public:
    const MemberTable& memberTable() const override {
        static const MemberTable table{
            propertyMember("Flag", 0x68030018, &Panel::Flag, &Panel::setFlag),
            propertyMember("Master", 0x68030017, &Panel::Master, &Panel::setMaster),
            propertyMember("Shape", 0x68030001, &Panel::Shape, &Panel::setShape),
            readOnlyPropertyMember("Count", 0x68030002, &Panel::Count),
            methodMember("Add", 0x60030001, &Panel::Add),
            methodMember("Reset", 0x60030002, &Panel::Reset),
            methodMember("Scaled", 0x60030003, &Panel::Scaled),
        };
        return table;
    }

    bool Flag() const { return flag_; }
    void setFlag(bool flag) { flag_ = flag; }
    QString Master() const { return master_; }
    void setMaster(const QString& master) { master_ = master; }
    TransferShape Shape() const { return shape_; }
    void setShape(TransferShape shape) { shape_ = shape; }
    std::uint8_t Count() const { return count_; }
    double Add(std::uint8_t step, double scale) {
        count_ = static_cast<std::uint8_t>(count_ + step);
        return count_ * scale;
    }
    void Reset() { count_ = 0; }
    double Scaled(float scale) const { return count_ * scale; }

    // A member of the class that is not in its table.
    int hidden() const { return 1; }

private:
    bool flag_ = false;
    QString master_;
    TransferShape shape_ = ByteShape;
    std::uint8_t count_ = 3;
};

int failureOf(auto&& call) {
    return statusOf(call).number;
}

} // namespace

TEST(Dispatch, ByNameWithoutRegardToCaseAndByNumberAlike) {
    Panel panel;
    panel.dispatchPut("master", QStringLiteral("QVSManager1"));
    EXPECT_EQ(panel.dispatchGet("MASTER"), panel.dispatchGet(0x68030017));
    EXPECT_EQ(panel.dispatchGet(0x68030017).toString(), QStringLiteral("QVSManager1"));
    EXPECT_EQ(panel.dispatchIdOf("fLaG"), 0x68030018);
    panel.dispatchPut(0x68030018, -1);
    EXPECT_TRUE(panel.Flag());
    EXPECT_EQ(panel.dispatchGet("Flag"), QVariant(true));
}

TEST(Dispatch, WritesConvertToTheFieldTypeOrFail) {
    Panel panel;
    panel.dispatchPut("Shape", QStringLiteral("1"));
    EXPECT_EQ(panel.Shape(), WordShape);
    EXPECT_EQ(panel.dispatchGet("Shape").metaType(), QMetaType::fromType<std::uint8_t>());
    EXPECT_EQ(failureOf([&] { panel.dispatchPut("Shape", 300); }), 6);
    EXPECT_EQ(failureOf([&] { panel.dispatchPut("Shape", QStringLiteral("abc")); }), 13);
    EXPECT_EQ(failureOf([&] { panel.dispatchPut("Flag", QStringLiteral("maybe")); }), 13);
    EXPECT_EQ(panel.Shape(), WordShape);
}

TEST(Dispatch, OnlyTheClassOwnTableIsReached) {
    Panel panel;
    const CallStatus missing = statusOf([&] { panel.dispatchGet("hidden"); });
    EXPECT_TRUE(missing.failed());
    EXPECT_EQ(missing.number, 438);
    EXPECT_EQ(missing.description,
              QStringLiteral("Object doesn't support this property or method"));
    EXPECT_EQ(failureOf([&] { panel.dispatchGet(0x1234); }), 438);
    EXPECT_EQ(failureOf([&] { panel.dispatchPut("Count", 1); }), 438);
    EXPECT_EQ(failureOf([&] { panel.dispatchPut("Reset", 1); }), 438);
    EXPECT_FALSE(statusOf([&] { panel.dispatchGet("count"); }).failed());
}

TEST(Dispatch, MethodsTakeConvertedArguments) {
    Panel panel;
    EXPECT_EQ(panel.dispatchCall("add", {2, QStringLiteral("1.5")}), QVariant(7.5));
    EXPECT_EQ(panel.dispatchCall(0x60030003, {2}), QVariant(10.0));
    EXPECT_EQ(panel.Count(), 5);
    EXPECT_EQ(failureOf([&] { panel.dispatchCall("Add", {1}); }), 450);
    EXPECT_EQ(failureOf([&] { panel.dispatchCall("Add", {-1, 1}); }), 6);
    EXPECT_FALSE(panel.dispatchGet("Reset").isValid());
    EXPECT_EQ(panel.Count(), 0);
    EXPECT_EQ(panel.dispatchCall("Count"), QVariant::fromValue<std::uint8_t>(0));
    EXPECT_EQ(failureOf([&] { panel.dispatchCall("Count", {1}); }), 450);
}

TEST(Dispatch, ATableWithARepeatedNameOrNumberIsRefused) {
    EXPECT_THROW((MemberTable{readOnlyPropertyMember("Count", 1, &Panel::Count),
                              readOnlyPropertyMember("COUNT", 2, &Panel::Count)}),
                 std::logic_error);
    EXPECT_THROW((MemberTable{readOnlyPropertyMember("Count", 1, &Panel::Count),
                              readOnlyPropertyMember("Other", 1, &Panel::Count)}),
                 std::logic_error);
}
