#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace vantirelle {

inline constexpr const char* SystemInfoUnavailable = "System Information Is Unavailable At This Time";

// Where the platform's system information program is; nothing when there is none.
class SystemInfoFinder {
public:
    virtual ~SystemInfoFinder() = default;
    virtual std::optional<std::string> find() = 0;
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts a program by its full path in a normal window, without waiting for it.
    virtual bool start(const std::string& path) = 0;
};

// Finds the system information program and starts it. False for every failure on the
// way: nothing found, a program that does not start, or an error while looking.
bool launchSystemInfo(SystemInfoFinder& finder, ProgramLauncher& launcher);

// The three registry calls the Windows lookup makes, shaped as advapi32 has them: each
// answers 0 on success and a Windows error code otherwise. Keys are opaque handles.
class Registry {
public:
    using Key = std::uintptr_t;
    virtual ~Registry() = default;
    virtual long openKey(Key root, const std::string& path, std::uint32_t options, std::uint32_t access,
                         Key& key) = 0;
    // size holds the buffer's size on the way in and the value's size on the way out.
    virtual long queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* buffer,
                            std::uint32_t& size) = 0;
    virtual long closeKey(Key key) = 0;
    // Expands %NAME% references the way the system does for REG_EXPAND_SZ values.
    virtual std::string expandEnvironment(const std::string& text) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // An ordinary file: it exists, is not a folder, and is neither hidden nor a system file.
    virtual bool isOrdinaryFile(const std::string& path) const = 0;
};

class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace Reg {
inline constexpr Registry::Key LocalMachine = 0x80000002;
inline constexpr std::uint32_t Read = 0x20019;    // KEY_READ: what a query needs, granted to every user
inline constexpr std::uint32_t Text = 1;          // REG_SZ
inline constexpr std::uint32_t ExpandText = 2;    // REG_EXPAND_SZ
inline constexpr std::uint32_t Number = 4;        // REG_DWORD
inline constexpr std::uint32_t BufferSize = 1024;
inline constexpr long FileNotFound = 2;
inline constexpr long AccessDenied = 5;
inline constexpr long MoreData = 234;
} // namespace Reg

inline constexpr const char* MsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* MsInfoPathValue = "PATH";
inline constexpr const char* SharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* SharedToolsMsInfoValue = "MSINFO";
inline constexpr const char* MsInfoProgram = "\\MSINFO32.EXE";

// Reads one value into `value`: text as it stands (without a terminating zero; an
// expandable text with its %NAME% references expanded), a 32-bit number as its signed
// decimal text; any other type leaves `value` alone and still answers true. A missing
// key or value, or one over 1024 bytes, answers false with `value` empty. The key is
// opened for reading only and closed on every path. Raises RegistryError for a value of
// size 0.
bool readRegistryValue(Registry& registry, Registry::Key root, const std::string& key, const std::string& name,
                       std::string& value);

// The Windows lookup: the PATH value of the MSINFO key names the program; failing that,
// the MSINFO value of the shared tools key names a folder that must hold MSINFO32.EXE.
class RegistrySystemInfoFinder final : public SystemInfoFinder {
public:
    RegistrySystemInfoFinder(Registry& registry, const FileSystem& files) : m_registry(registry), m_files(files) {}
    std::optional<std::string> find() override;

private:
    Registry& m_registry;
    const FileSystem& m_files;
};

} // namespace vantirelle
