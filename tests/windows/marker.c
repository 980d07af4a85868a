/* A stand-in for the system information program: started with no arguments, it writes
   "started" to marker.txt beside itself, so a test can see that it ran. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(void)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char* slash = strrchr(path, '\\');
    if (!slash || (size_t)(slash - path) + 12 >= MAX_PATH)
        return 1;
    strcpy(slash + 1, "marker.txt");
    FILE* marker = fopen(path, "w");
    if (!marker)
        return 1;
    fputs("started\n", marker);
    return fclose(marker) == 0 ? 0 : 1;
}
