// The launcher's lookups against a real registry: Windows's own, or Wine's.
#include "about/sysinfo.h"
#include "about/winregistry.h"
#include "sysinfo_fakes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

const char* const TestKey = "SOFTWARE\\Vantirelle Tests";

void setRaw(const char* key, const char* name, DWORD type, const std::vector<BYTE>& bytes)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(handle, name, 0, type, bytes.empty() ? nullptr : bytes.data(),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(handle);
}

std::vector<BYTE> text(const std::string& s, bool terminated)
{
    std::vector<BYTE> bytes(s.begin(), s.end());
    if (terminated)
        bytes.push_back(0);
    return bytes;
}

std::vector<BYTE> dword(DWORD value)
{
    return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

void removeKey(const char* key)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
}

std::string tempFolder(const char* name)
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

struct RealRegistry : ::testing::Test {
    WindowsRegistry registry;
    WindowsFileSystem files;
    FakeLauncher launcher;
    RegistrySystemInfoFinder finder{registry, files};

    void SetUp() override
    {
        removeKey(TestKey);
        removeKey(MsInfoKey);
        removeKey(SharedToolsKey);
    }
    void TearDown() override { SetUp(); }

    bool get(const char* name, std::string& value)
    {
        return readRegistryValue(registry, Reg::LocalMachine, TestKey, name, value);
    }
};

} // namespace

TEST_F(RealRegistry, TextWithAndWithoutItsTerminatingZero)
{
    setRaw(TestKey, "Terminated", REG_SZ, text("C:\\Tools\\msinfo32.exe", true));
    setRaw(TestKey, "Bare", REG_SZ, text("C:\\bare.exe", false));
    std::string value;
    EXPECT_TRUE(get("Terminated", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
    EXPECT_TRUE(get("Bare", value));
    EXPECT_EQ(value, "C:\\bare.exe");
}

TEST_F(RealRegistry, NumbersAsSignedDecimal)
{
    setRaw(TestKey, "Small", REG_DWORD, dword(261));
    setRaw(TestKey, "Zero", REG_DWORD, dword(0));
    setRaw(TestKey, "TopBit", REG_DWORD, dword(0x80000001u));
    // the launcher always passes an empty value to be filled
    std::string small, zero, topBit;
    EXPECT_TRUE(get("Small", small));
    EXPECT_EQ(small, "261");
    EXPECT_TRUE(get("Zero", zero));
    EXPECT_EQ(zero, "0");
    EXPECT_TRUE(get("TopBit", topBit));
    EXPECT_EQ(topBit, "-2147483647");
}

TEST_F(RealRegistry, ExpandableTextIsExpandedByTheSystem)
{
    SetEnvironmentVariableA("VANTIRELLE_TOOLS", "C:\\Tools");
    setRaw(TestKey, "Expand", REG_EXPAND_SZ, text("%VANTIRELLE_TOOLS%\\msinfo32.exe", true));
    std::string value;
    EXPECT_TRUE(get("Expand", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
}

TEST_F(RealRegistry, KeysOpenForReadingOnly)
{
    setRaw(TestKey, "Present", REG_SZ, text("x", true));
    // What the lookup asks for is what an ordinary user is granted on HKEY_LOCAL_MACHINE.
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, TestKey, 0, Reg::Read, &handle), ERROR_SUCCESS);
    RegCloseKey(handle);
    EXPECT_EQ(Reg::Read, static_cast<std::uint32_t>(KEY_READ));
}

TEST_F(RealRegistry, TheBufferHoldsExactly1024Bytes)
{
    setRaw(TestKey, "Fits", REG_SZ, text(std::string(1023, 'a'), true));
    setRaw(TestKey, "TooLong", REG_SZ, text(std::string(1024, 'b'), true));
    std::string value;
    EXPECT_TRUE(get("Fits", value));
    EXPECT_EQ(value.size(), 1023u);
    value = "old";
    EXPECT_FALSE(get("TooLong", value));
    EXPECT_EQ(value, "");
}

TEST_F(RealRegistry, MissingKeyAndMissingValue)
{
    std::string value = "old";
    EXPECT_FALSE(readRegistryValue(registry, Reg::LocalMachine, "SOFTWARE\\Vantirelle Nowhere", "PATH", value));
    EXPECT_EQ(value, "");
    setRaw(TestKey, "Present", REG_SZ, text("x", true));
    value = "old";
    EXPECT_FALSE(get("Absent", value));
    EXPECT_EQ(value, "");
}

TEST_F(RealRegistry, ThePathValueIsStarted)
{
    setRaw(MsInfoKey, "PATH", REG_SZ, text("C:\\Program Files\\Common Files\\msinfo32.exe", true));
    launcher.startable.insert("C:\\Program Files\\Common Files\\msinfo32.exe");
    EXPECT_TRUE(launchSystemInfo(finder, launcher));
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"C:\\Program Files\\Common Files\\msinfo32.exe"}));
}

TEST_F(RealRegistry, TheSharedToolsFolderWithAndWithoutTheProgram)
{
    const std::string folder = tempFolder("vantirelle-msinfo");
    const std::string program = folder + "\\MSINFO32.EXE";
    DeleteFileA(program.c_str());
    setRaw(SharedToolsKey, "MSINFO", REG_SZ, text(folder, true));

    EXPECT_FALSE(launchSystemInfo(finder, launcher));
    EXPECT_TRUE(launcher.started.empty());

    HANDLE file = CreateFileA(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    launcher.startable.insert(program);
    EXPECT_TRUE(launchSystemInfo(finder, launcher));
    EXPECT_EQ(launcher.started, (std::vector<std::string>{program}));

    // a hidden file is not an ordinary file
    SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(files.isOrdinaryFile(program));
    SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}
