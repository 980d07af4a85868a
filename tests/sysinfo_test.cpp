#include "about/sysinfo.h"
#include "sysinfo_fakes.h"

#include <gtest/gtest.h>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

const std::string Tools = MsInfoKey;
const std::string Shared = SharedToolsKey;

struct Lookup : ::testing::Test {
    FakeRegistry registry;

    bool get(const std::string& key, const std::string& name, std::string& value)
    {
        return readRegistryValue(registry, Reg::LocalMachine, key, name, value);
    }
};

struct Launch : ::testing::Test {
    FakeRegistry registry;
    FakeFiles files;
    FakeLauncher launcher;
    RegistrySystemInfoFinder finder{registry, files};

    bool run() { return launchSystemInfo(finder, launcher); }
};

} // namespace

TEST_F(Lookup, KeysAreOpenedForReadingOnlySoOrdinaryUsersGetTheValue)
{
    registry.setText(Tools, "PATH", "C:\\Tools\\msinfo32.exe");
    std::string value;
    EXPECT_TRUE(get(Tools, "PATH", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
    ASSERT_EQ(registry.accessMasks.size(), 1u);
    EXPECT_EQ(registry.accessMasks[0] & FakeRegistry::WriteRights, 0u);
    EXPECT_EQ(registry.accessMasks[0] & 0x1u, 0x1u) << "KEY_QUERY_VALUE";
}

TEST_F(Lookup, TextComesBackWithoutItsTerminatingZeroAndWholeWithoutOne)
{
    registry.setText(Tools, "PATH", "C:\\Tools\\msinfo32.exe");
    registry.setText(Tools, "BARE", "C:\\bare.exe", false);
    std::string value = "old";
    EXPECT_TRUE(get(Tools, "PATH", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
    EXPECT_TRUE(get(Tools, "BARE", value));
    EXPECT_EQ(value, "C:\\bare.exe");
    EXPECT_EQ(registry.closed.size(), 2u);
}

TEST_F(Lookup, ValuesUpToTheBufferAreReadAndLongerOnesCountAsMissing)
{
    registry.setText(Tools, "FITS", std::string(1023, 'a'));     // 1024 bytes with the zero
    registry.setText(Tools, "TOO LONG", std::string(1024, 'b')); // 1025 bytes
    std::string value;
    EXPECT_TRUE(get(Tools, "FITS", value));
    EXPECT_EQ(value.size(), 1023u);
    value = "old";
    EXPECT_FALSE(get(Tools, "TOO LONG", value));
    EXPECT_EQ(value, "");
}

TEST_F(Lookup, MissingKeysAndValuesAnswerFalseWithAnEmptyValueAndStillClose)
{
    registry.setText(Tools, "PATH", "x");
    std::string value = "old";
    EXPECT_FALSE(get("SOFTWARE\\Nowhere", "PATH", value));
    EXPECT_EQ(value, "");
    ASSERT_EQ(registry.closed.size(), 1u);
    EXPECT_EQ(registry.closed[0], 0u) << "the never-opened handle is closed too";
    value = "old";
    EXPECT_FALSE(get(Tools, "MISSING", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.closed.size(), 2u);
}

TEST_F(Lookup, NumbersBecomeSignedDecimalText)
{
    struct Case {
        std::uint32_t value;
        const char* text;
    };
    for (const Case c : {Case{261, "261"}, Case{0, "0"}, Case{0x80000001u, "-2147483647"}, Case{0xFFFFFFFFu, "-1"},
                         Case{0x0000FFFFu, "65535"}, Case{0x00800000u, "8388608"}, Case{0x7FFFFFFFu, "2147483647"}}) {
        registry.setNumber(Tools, "N", c.value);
        std::string value;
        EXPECT_TRUE(get(Tools, "N", value));
        EXPECT_EQ(value, c.text) << c.value;
    }
}

TEST_F(Lookup, ExpandableTextIsExpandedAndOtherTypesLeaveTheValueAlone)
{
    registry.environment["SystemRoot"] = "C:\\Windows";
    registry.setText(Tools, "EXPAND", "%SystemRoot%\\System32\\msinfo32.exe", true, Reg::ExpandText);
    std::string value;
    EXPECT_TRUE(get(Tools, "EXPAND", value));
    EXPECT_EQ(value, "C:\\Windows\\System32\\msinfo32.exe");

    registry.setText(Tools, "BINARY", "\x01\x02", false, 3);
    value = "kept";
    EXPECT_TRUE(get(Tools, "BINARY", value));
    EXPECT_EQ(value, "kept");
}

TEST_F(Lookup, AnEmptyValueIsAnErrorAndTheKeyIsStillClosed)
{
    registry.keys[Tools]["EMPTY"] = {Reg::Text, {}};
    std::string value;
    EXPECT_THROW(get(Tools, "EMPTY", value), RegistryError);
    EXPECT_EQ(registry.closed.size(), 1u);
}

TEST_F(Launch, ThePathValueIsStartedAsItStands)
{
    registry.setText(Tools, "PATH", "C:\\Program Files\\msinfo32.exe");
    launcher.startable.insert("C:\\Program Files\\msinfo32.exe");
    EXPECT_TRUE(run());
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"C:\\Program Files\\msinfo32.exe"}));
    EXPECT_EQ(registry.opened, 1) << "the fallback is not looked up";
}

TEST_F(Launch, AnExpandablePathIsStartedExpanded)
{
    registry.environment["ProgramFiles"] = "C:\\Program Files";
    registry.setText(Tools, "PATH", "%ProgramFiles%\\Common Files\\msinfo32.exe", true, Reg::ExpandText);
    launcher.startable.insert("C:\\Program Files\\Common Files\\msinfo32.exe");
    EXPECT_TRUE(run());
}

TEST_F(Launch, APathThatCannotStartFails)
{
    registry.setText(Tools, "PATH", "C:\\gone.exe");
    registry.setText(Shared, "MSINFO", "C:\\Tools");
    files.ordinary.insert("C:\\Tools\\MSINFO32.EXE");
    EXPECT_FALSE(run());
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"C:\\gone.exe"})) << "no existence test, no fallback";
}

TEST_F(Launch, TheSharedToolsFolderIsUsedWhenItHoldsTheProgram)
{
    for (const std::string folder : {"C:\\Tools", "C:\\Tools\\"}) {
        registry.keys.clear();
        launcher.started.clear();
        registry.setText(Shared, "MSINFO", folder);
        const std::string program = folder + "\\MSINFO32.EXE";
        files.ordinary = {program};
        launcher.startable = {program};
        EXPECT_TRUE(run()) << folder;
        EXPECT_EQ(launcher.started, (std::vector<std::string>{program})) << folder;
    }
}

TEST_F(Launch, EveryDeadEndFails)
{
    // the folder lacks the program
    registry.setText(Shared, "MSINFO", "C:\\Empty");
    EXPECT_FALSE(run());
    EXPECT_TRUE(launcher.started.empty());

    // neither value exists
    registry.keys.clear();
    EXPECT_FALSE(run());

    // a value of size 0 raises inside the lookup; the launch turns it into a failure
    registry.keys[Tools]["PATH"] = {Reg::Text, {}};
    EXPECT_FALSE(run());
    EXPECT_TRUE(launcher.started.empty());
}
