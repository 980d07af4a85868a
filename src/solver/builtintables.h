#pragma once

#include <cstddef>
#include <vector>

namespace vantirelle {

// Pattern databases the program carries, packed (PatternDatabases::packed), so that the
// shapes players meet most need no building at run time. The build generates them with
// vantirelle-tables; a program built without them carries none.
struct PackedTables {
    int width;
    int height;
    const unsigned char* data;
    std::size_t size;
};

std::vector<PackedTables> builtInPatternTables();

} // namespace vantirelle
