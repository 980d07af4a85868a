#pragma once

#include "board/host.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vantirelle {

// The three registry calls the launcher makes, shaped as advapi32 has them: each
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
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // An ordinary file: it exists, is not a folder, and is neither hidden nor a system file.
    virtual bool isOrdinaryFile(const std::string& path) const = 0;
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts a program by its full path in a normal window, without waiting for it.
    virtual bool start(const std::string& path) = 0;
};

class SysInfoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace Reg {
inline constexpr Registry::Key LocalMachine = 0x80000002;
inline constexpr std::uint32_t AllAccess = 0x2003F;
inline constexpr std::uint32_t Text = 1;       // REG_SZ
inline constexpr std::uint32_t ExpandText = 2; // REG_EXPAND_SZ
inline constexpr std::uint32_t Number = 4;     // REG_DWORD
inline constexpr std::uint32_t BufferSize = 1024;
inline constexpr long FileNotFound = 2;
inline constexpr long MoreData = 234;
} // namespace Reg

inline constexpr const char* MsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* MsInfoPathValue = "PATH";
inline constexpr const char* SharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* SharedToolsMsInfoValue = "MSINFO";
inline constexpr const char* MsInfoProgram = "\\MSINFO32.EXE";
inline constexpr const char* SysInfoUnavailable = "System Information Is Unavailable At This Time";

// Reads one registry value into KeyVal: text as it stands (without a terminating zero),
// a 32-bit number as its signed decimal text, any other type leaves KeyVal alone and
// still answers true. A missing key or value, or one over 1024 bytes, answers false
// with KeyVal empty. The key is closed on every path. Raises SysInfoError for a value
// of size 0.
bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

// Finds the system information program through the registry and starts it; any
// failure on the way ends in one message box.
void StartSysInfo(Registry& registry, const FileSystem& files, ProgramLauncher& launcher, Prompts& prompts);

} // namespace vantirelle
