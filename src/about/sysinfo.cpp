#include "about/sysinfo.h"

#include <cctype>
#include <vector>

namespace vantirelle {

namespace {

// Closes the key however the lookup ends.
class OpenKey {
public:
    explicit OpenKey(Registry& registry) : m_registry(registry) {}
    ~OpenKey() { m_registry.closeKey(handle); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    Registry::Key handle = 0;

private:
    Registry& m_registry;
};

// The value's bytes as a hexadecimal number, highest byte first, appended to what the
// text held; up to four digits read as a 16-bit signed number, up to eight as 32-bit.
long long signedHex(const std::string& digits)
{
    if (digits.empty() || digits.size() > 8)
        throw RegistryError("The number is too large.");
    unsigned long long value = 0;
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw RegistryError("The value is not a number.");
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value * 16 + static_cast<unsigned long long>(digit);
    }
    if (digits.size() <= 4)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

} // namespace

bool readRegistryValue(Registry& registry, Registry::Key root, const std::string& key, const std::string& name,
                       std::string& value)
{
    OpenKey open(registry);
    if (registry.openKey(root, key, 0, Reg::Read, open.handle) != 0) {
        value.clear();
        return false;
    }

    std::vector<std::uint8_t> buffer(Reg::BufferSize, 0);
    std::uint32_t size = Reg::BufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(open.handle, name, type, buffer.data(), size) != 0) {
        value.clear();
        return false;
    }
    if (size == 0 || size > Reg::BufferSize)
        throw RegistryError("The value is empty."); // there is no last character to look at

    std::string text(reinterpret_cast<const char*>(buffer.data()), size);
    if (text.back() == '\0')
        text.pop_back();

    if (type == Reg::Text) {
        value = text;
    } else if (type == Reg::ExpandText) {
        value = registry.expandEnvironment(text);
    } else if (type == Reg::Number) {
        static const char hex[] = "0123456789ABCDEF";
        std::string digits = value;
        for (auto at = text.rbegin(); at != text.rend(); ++at) {
            const auto byte = static_cast<unsigned char>(*at);
            digits.push_back(hex[byte >> 4]);
            digits.push_back(hex[byte & 0x0F]);
        }
        value = std::to_string(signedHex(digits));
    }
    return true;
}

std::optional<std::string> RegistrySystemInfoFinder::find()
{
    std::string path;
    if (readRegistryValue(m_registry, Reg::LocalMachine, MsInfoKey, MsInfoPathValue, path))
        return path; // used as it stands, without looking for the file
    if (!readRegistryValue(m_registry, Reg::LocalMachine, SharedToolsKey, SharedToolsMsInfoValue, path))
        return std::nullopt;
    // This value names a folder; only here is the program's presence checked.
    if (!m_files.isOrdinaryFile(path + MsInfoProgram))
        return std::nullopt;
    return path + MsInfoProgram;
}

bool launchSystemInfo(SystemInfoFinder& finder, ProgramLauncher& launcher)
{
    try {
        const std::optional<std::string> path = finder.find();
        return path && launcher.start(*path);
    } catch (const std::exception&) {
        return false; // every failure ends in the same message
    }
}

} // namespace vantirelle
