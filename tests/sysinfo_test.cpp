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
        return GetKeyValue(registry, Reg::LocalMachine, key, name, value);
    }
};

struct Launch : ::testing::Test {
    FakeRegistry registry;
    FakeFiles files;
    FakeLauncher launcher;
    RecordingPrompts prompts;

    void run() { StartSysInfo(registry, files, launcher, prompts); }
    bool unavailableShown() const
    {
        return prompts.messages.size() == 1 && prompts.messages[0].text == "System Information Is Unavailable At This Time"
               && prompts.messages[0].style == 0 && prompts.messages[0].title == "Vantirelle";
    }
};

} // namespace

TEST_F(Lookup, TextComesBackWithoutItsTerminatingZeroAndWholeWithoutOne)
{
    registry.setText(Tools, "PATH", "C:\\Tools\\msinfo32.exe");
    registry.setText(Tools, "BARE", "C:\\bare.exe", false);
    std::string value = "old";
    EXPECT_TRUE(get(Tools, "PATH", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
    EXPECT_TRUE(get(Tools, "BARE", value));
    EXPECT_EQ(value, "C:\\bare.exe");
    EXPECT_EQ(registry.accessMasks, (std::vector<std::uint32_t>{0x2003F, 0x2003F}));
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

TEST_F(Lookup, OtherTypesLeaveTheValueAloneAndStillAnswerTrue)
{
    registry.setText(Tools, "EXPAND", "%SystemRoot%\\msinfo32.exe", true, Reg::ExpandText);
    std::string value = "kept";
    EXPECT_TRUE(get(Tools, "EXPAND", value));
    EXPECT_EQ(value, "kept");
}

TEST_F(Lookup, AnEmptyValueIsAnErrorAndTheKeyIsStillClosed)
{
    registry.keys[Tools]["EMPTY"] = {Reg::Text, {}};
    std::string value;
    EXPECT_THROW(get(Tools, "EMPTY", value), SysInfoError);
    EXPECT_EQ(registry.closed.size(), 1u);
}

TEST_F(Launch, ThePathValueIsStartedAsItStands)
{
    registry.setText(Tools, "PATH", "C:\\Program Files\\msinfo32.exe");
    launcher.startable.insert("C:\\Program Files\\msinfo32.exe");
    run();
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"C:\\Program Files\\msinfo32.exe"}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(registry.opened, 1) << "the fallback is not looked up";
}

TEST_F(Launch, APathThatCannotStartShowsTheMessage)
{
    registry.setText(Tools, "PATH", "C:\\gone.exe");
    registry.setText(Shared, "MSINFO", "C:\\Tools");
    files.ordinary.insert("C:\\gone.exe");
    run();
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"C:\\gone.exe"})) << "no existence test on this path";
    EXPECT_TRUE(unavailableShown());
}

TEST_F(Launch, TheSharedToolsFolderIsUsedWhenItHoldsTheProgram)
{
    for (const std::string folder : {"C:\\Tools", "C:\\Tools\\"}) {
        FakeRegistry fresh;
        registry = fresh;
        launcher.started.clear();
        registry.setText(Shared, "MSINFO", folder);
        const std::string program = folder + "\\MSINFO32.EXE";
        files.ordinary = {program};
        launcher.startable = {program};
        run();
        EXPECT_EQ(launcher.started, (std::vector<std::string>{program})) << folder;
        EXPECT_TRUE(prompts.messages.empty());
    }
}

TEST_F(Launch, EveryDeadEndShowsTheOneMessage)
{
    // the folder lacks the program
    registry.setText(Shared, "MSINFO", "C:\\Empty");
    run();
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_TRUE(unavailableShown());

    // neither value exists
    registry.keys.clear();
    prompts.messages.clear();
    run();
    EXPECT_TRUE(unavailableShown());

    // an expandable text leaves the path empty, and nothing starts from an empty path
    registry.setText(Tools, "PATH", "%SystemRoot%\\msinfo32.exe", true, Reg::ExpandText);
    prompts.messages.clear();
    run();
    EXPECT_EQ(launcher.started, (std::vector<std::string>{""}));
    EXPECT_TRUE(unavailableShown());

    // a value of size 0 raises inside the lookup; the launcher turns it into the message
    registry.keys[Tools]["PATH"] = {Reg::Text, {}};
    prompts.messages.clear();
    run();
    EXPECT_TRUE(unavailableShown());
}
