#include "controls/reginfo/side_strip.h"

#include "controls/display/strip.h"

namespace mirelda {

SideStrip makeSideStrip(QWidget* parent) {
    auto* strip = new vsq::display::Strip(parent);
    return {strip, strip};
}

} // namespace mirelda
