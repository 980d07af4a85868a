#include "about/winregistry.h"

#include <windows.h>

#include <vector>

namespace vantirelle {

namespace {

HKEY toHandle(Registry::Key key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

long WindowsRegistry::openKey(Key root, const std::string& path, std::uint32_t options, std::uint32_t access,
                              Key& key)
{
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(toHandle(root), path.c_str(), options, access, &opened);
    key = reinterpret_cast<Key>(opened);
    return result;
}

long WindowsRegistry::queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* buffer,
                                 std::uint32_t& size)
{
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG result = RegQueryValueExA(toHandle(key), name.c_str(), nullptr, &valueType, buffer, &valueSize);
    type = valueType;
    size = valueSize;
    return result;
}

long WindowsRegistry::closeKey(Key key)
{
    return RegCloseKey(toHandle(key));
}

std::string WindowsRegistry::expandEnvironment(const std::string& text)
{
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0)
        return text;
    std::vector<char> expanded(needed);
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed)
        return text;
    return std::string(expanded.data()); // without the terminating zero
}

bool WindowsFileSystem::isOrdinaryFile(const std::string& path) const
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

} // namespace vantirelle
