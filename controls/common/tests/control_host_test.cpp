#include "controls/common/control.h"
#include "controls/common/control_host.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace vsq::controls;

namespace {

// A control with one stored property, as later controls will be.
class Gauge : public QWidget, public Control {
public:
    explicit Gauge(QWidget* parent, QString type = "QVSLimitGauge")
        : QWidget(parent), type_(std::move(type)) {}

    QString typeName() const override { return type_; }
    const MemberTable& memberTable() const override {
        static const MemberTable table{
            propertyMember("Master", 1, &Gauge::Master, &Gauge::setMaster),
        };
        return table;
    }
    void initProperties() override { master_ = nameOnHost() + "-new"; }
    void readProperties(const PropertyBag& bag) override {
        master_ = bag.read<QString>("Master", "");
    }
    void writeProperties(PropertyBag& bag) override { bag.write<QString>("Master", master_, ""); }

    QString Master() const { return master_; }
    void setMaster(const QString& master) {
        master_ = master;
        propertyChanged("Master");
    }

private:
    QString type_;
    QString master_;
};

class ControlHostTest : public ::testing::Test {
protected:
    QWidget window;
};

} // namespace

TEST_F(ControlHostTest, ControlsSeeTheirNameTheOthersInOrderAndTheModeAndTellTheirChanges) {
    ControlHost host(window);
    Gauge first(&window), manager(&window, "QVSManager"), last(&window);
    EXPECT_TRUE(first.userMode());
    EXPECT_TRUE(first.nameOnHost().isEmpty());
    EXPECT_TRUE(host.add(first, "Gauge1"));
    EXPECT_TRUE(host.add(manager, "QVSManager1"));
    EXPECT_TRUE(host.add(last, "Gauge2"));
    EXPECT_FALSE(host.add(first, "Again"));
    Gauge clash(&window);
    EXPECT_FALSE(host.add(clash, "gauge1"));

    EXPECT_EQ(manager.nameOnHost(), QStringLiteral("QVSManager1"));
    EXPECT_EQ(first.hostControls(), (std::vector<Control*>{&first, &manager, &last}));
    EXPECT_EQ(host.find("qvsmanager1"), &manager);
    // A property change reaches the host and marks it dirty.
    QStringList changes;
    QObject::connect(&host, &ControlHost::propertyChanged,
                     [&](Control* control, const QString& name) {
                         EXPECT_EQ(control, &last);
                         changes << name;
                     });
    EXPECT_FALSE(host.isDirty());
    last.dispatchPut("MASTER", "QVSManager1");
    EXPECT_EQ(changes, QStringList{"Master"});
    EXPECT_TRUE(host.isDirty());
    // What a manager does on its host: find the panels naming it, by type and by name.
    int served = 0;
    for (Control* control : manager.hostControls()) {
        if (control->typeName() == "QVSLimitGauge" &&
            control->dispatchGet("master").toString() == manager.nameOnHost()) {
            ++served;
        }
    }
    EXPECT_EQ(served, 1);
    host.setUserMode(false);
    EXPECT_FALSE(last.userMode());
}

TEST_F(ControlHostTest, ControlsAndHostsLetGoOfEachOther) {
    auto host = std::make_unique<ControlHost>(window);
    auto gone = std::make_unique<Gauge>(&window);
    Gauge stays(&window);
    host->add(*gone, "A");
    host->add(stays, "B");
    gone.reset();
    EXPECT_EQ(host->controls(), std::vector<Control*>{&stays});
    host.reset();
    EXPECT_EQ(stays.host(), nullptr);
    EXPECT_TRUE(stays.hostControls().empty());
}

TEST_F(ControlHostTest, SettingsFileRoundTripAndNewInstances) {
    QTemporaryDir dir;
    const QString path = dir.filePath("window.bags");
    QString error;
    {
        ControlHost host(window);
        Gauge a(&window), b(&window);
        host.add(a, "A");
        host.add(b, "B");
        EXPECT_FALSE(host.load(path, error));
        host.placeNew();
        EXPECT_EQ(b.Master(), QStringLiteral("B-new"));
        a.setMaster("QVSManager1");
        b.setMaster("");
        ASSERT_TRUE(host.save(path, error)) << error.toStdString();
        EXPECT_FALSE(host.isDirty());
    }
    ControlHost host(window);
    Gauge a(&window), b(&window), c(&window);
    host.add(a, "A");
    host.add(b, "B");
    host.add(c, "C");
    ASSERT_TRUE(host.load(path, error)) << error.toStdString();
    EXPECT_EQ(a.Master(), QStringLiteral("QVSManager1"));
    EXPECT_EQ(b.Master(), QString());
    EXPECT_EQ(c.Master(), QStringLiteral("C-new"));
}
