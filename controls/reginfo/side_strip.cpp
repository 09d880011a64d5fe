#include "controls/reginfo/side_strip.h"

#include "controls/common/member_table.h"

#include <QVariant>

namespace mirelda {

namespace {

// Stand-in until the display controls' strip chart is in: it accepts the calls.
class PlainStrip : public QWidget, public vsq::controls::Dispatchable {
public:
    using QWidget::QWidget;
    const vsq::controls::MemberTable& memberTable() const override {
        static const vsq::controls::MemberTable table{
            vsq::controls::methodMember("ClearSamples", 127, &PlainStrip::clear),
            vsq::controls::methodMember("AddSample", 126, &PlainStrip::add),
            vsq::controls::propertyMember("Cursor", 24, &PlainStrip::get, &PlainStrip::set),
            vsq::controls::propertyMember("Traces", 12, &PlainStrip::get, &PlainStrip::set),
            vsq::controls::propertyMember("Trace", 13, &PlainStrip::get, &PlainStrip::set),
            vsq::controls::propertyMember("TraceColor", 14, &PlainStrip::get, &PlainStrip::set),
            vsq::controls::propertyMember("TraceStyle", 23, &PlainStrip::get, &PlainStrip::set),
            vsq::controls::propertyMember("RangeTop", 33, &PlainStrip::get, &PlainStrip::set),
            vsq::controls::propertyMember("ScaleTop", 64, &PlainStrip::get, &PlainStrip::set),
        };
        return table;
    }
    void clear() {}
    void add(std::int16_t, double) {}
    QVariant get() const { return {}; }
    void set(const QVariant&) {}
};

} // namespace

SideStrip makeSideStrip(QWidget* parent) {
    auto* strip = new PlainStrip(parent);
    return {strip, strip};
}

} // namespace mirelda
