#include "app/core/app_globals.h"

namespace trelvane {

bool gEmulateFixedSilicon = false;

} // namespace trelvane
