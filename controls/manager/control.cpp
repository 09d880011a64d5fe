#include "controls/manager/control.h"

namespace orvessa {

std::shared_ptr<Control> Control::create() {
    return std::shared_ptr<Control>(new Control);
}

} // namespace orvessa
