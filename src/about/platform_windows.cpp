#include "about/platform.h"
#include "about/winregistry.h"

namespace vantirelle {

namespace {

// The registry lookup with the registry and file system it reads.
class WindowsSystemInfoFinder final : public SystemInfoFinder {
public:
    std::optional<std::string> find() override { return m_finder.find(); }

private:
    WindowsRegistry m_registry;
    WindowsFileSystem m_files;
    RegistrySystemInfoFinder m_finder{m_registry, m_files};
};

} // namespace

std::unique_ptr<SystemInfoFinder> platformSystemInfoFinder()
{
    return std::make_unique<WindowsSystemInfoFinder>();
}

} // namespace vantirelle
