#include "app/shell/core/app_globals.h"

namespace trelvane {

bool gEmulateFixedSilicon = false;

} // namespace trelvane
