#include "resident.h"

#include <windows.h>

#include <psapi.h>

long residentBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<long>(counters.WorkingSetSize);
}
