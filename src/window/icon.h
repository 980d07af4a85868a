#pragma once

#include <QIcon>

namespace vantirelle {

// The game's icon, drawn for every size from 16 to 256 pixels, so it stays sharp on
// screens that scale by two.
QIcon gameIcon();

} // namespace vantirelle
