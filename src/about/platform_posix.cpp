#include "about/platform.h"

namespace vantirelle {

std::unique_ptr<SystemInfoFinder> platformSystemInfoFinder()
{
    return std::make_unique<PathSystemInfoFinder>();
}

} // namespace vantirelle
