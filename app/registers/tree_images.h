#pragma once
// The register tree's four pictures, by NodeImage: a chip, a desktop, a
// folder and a read-write symbol, drawn at 16 x 16 pixels.

#include "app/registers/register_tree.h"

#include <QIcon>

namespace trelvane {

QIcon RegisterTreeImage(NodeImage image);

} // namespace trelvane
