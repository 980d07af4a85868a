#include "about/sysinfo.h"

#include <cctype>
#include <cstdint>
#include <vector>

namespace vantirelle {

namespace {

// Closes the key however the lookup ends.
class OpenKey {
public:
    OpenKey(Registry& registry) : m_registry(registry) {}
    ~OpenKey() { m_registry.closeKey(handle); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    Registry::Key handle = 0;

private:
    Registry& m_registry;
};

// Reads "&h" followed by hex digits the way the value was meant: up to four digits a
// 16-bit signed number, up to eight a 32-bit signed number.
long long signedHex(const std::string& digits)
{
    if (digits.empty() || digits.size() > 8)
        throw SysInfoError("Overflow");
    unsigned long long value = 0;
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw SysInfoError("Type mismatch");
        value = value * 16 + static_cast<unsigned long long>(std::isdigit(static_cast<unsigned char>(c))
                                                                 ? c - '0'
                                                                 : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
    }
    if (digits.size() <= 4)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

} // namespace

bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal)
{
    OpenKey key(registry);
    if (registry.openKey(KeyRoot, KeyName, 0, Reg::AllAccess, key.handle) != 0) {
        KeyVal.clear();
        return false;
    }

    std::vector<std::uint8_t> buffer(Reg::BufferSize, 0);
    std::uint32_t ValueSize = Reg::BufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key.handle, SubKeyRef, type, buffer.data(), ValueSize) != 0) {
        KeyVal.clear();
        return false;
    }
    if (ValueSize == 0 || ValueSize > Reg::BufferSize)
        throw SysInfoError("Invalid procedure call or argument"); // no last character to look at

    std::string ValueText(reinterpret_cast<const char*>(buffer.data()), ValueSize);
    if (ValueText.back() == '\0')
        ValueText.pop_back();

    if (type == Reg::Text) {
        KeyVal = ValueText;
    } else if (type == Reg::Number) {
        static const char hex[] = "0123456789ABCDEF";
        std::string digits = KeyVal;
        for (auto at = ValueText.rbegin(); at != ValueText.rend(); ++at) {
            const auto byte = static_cast<unsigned char>(*at);
            digits.push_back(hex[byte >> 4]);
            digits.push_back(hex[byte & 0x0F]);
        }
        KeyVal = std::to_string(signedHex(digits));
    }
    return true;
}

void StartSysInfo(Registry& registry, const FileSystem& files, ProgramLauncher& launcher, Prompts& prompts)
{
    try {
        std::string ToolPath;
        bool found = GetKeyValue(registry, Reg::LocalMachine, MsInfoKey, MsInfoPathValue, ToolPath);
        if (!found && GetKeyValue(registry, Reg::LocalMachine, SharedToolsKey, SharedToolsMsInfoValue, ToolPath)) {
            // This value names a folder; only here is the program's presence checked.
            if (files.isOrdinaryFile(ToolPath + MsInfoProgram)) {
                ToolPath += MsInfoProgram;
                found = true;
            }
        }
        if (found && launcher.start(ToolPath))
            return;
    } catch (const std::exception&) {
        // every failure ends in the same message
    }
    prompts.messageBox(SysInfoUnavailable, MsgBox::OkOnly, ApplicationTitle);
}

} // namespace vantirelle
