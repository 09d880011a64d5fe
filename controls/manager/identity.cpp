#include "controls/manager/identity.h"

namespace orvessa {

std::shared_ptr<Identity> Identity::create() {
    return std::shared_ptr<Identity>(new Identity);
}

} // namespace orvessa
