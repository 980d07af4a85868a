#include "about/aboutwindow.h"
#include "about/platform.h"
#include "game_window_fixture.h"
#include "sysinfo_fakes.h"

#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct AboutWindow : GameWindowFixture {
    FakeRegistry registry;
    FakeFiles files;
    FakeLauncher launcher;
    RecordingPrompts aboutPrompts;
    std::unique_ptr<AboutCommand> about;

    void SetUp() override
    {
        GameWindowFixture::SetUp();
        about = std::make_unique<AboutCommand>(AboutServices{&registry, &files, &launcher, &aboutPrompts});
    }
    void TearDown() override
    {
        if (about->window())
            delete about->window();
    }

    // Lets a closed window finish unloading.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

TEST_F(AboutWindow, ShowsTitleVersionAndNoticesEachTimeItLoads)
{
    for (int load = 0; load < 2; ++load) {
        frmAbout* w = about->mnuAbout_Click();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), "About Vantirelle");
        EXPECT_EQ(w->lblTitle->text(), "Vantirelle");
        EXPECT_EQ(w->lblVersion->text(), "Version 1.0.1");
        EXPECT_EQ(w->lblDisclaimer->text().split('\n'),
                  (QStringList{"Warning: ...", "Designed as a University project", "May not be stable.",
                               "No responsibility taken in anyway whatsoever."}));
        EXPECT_FALSE(w->lblDescription->text().isEmpty());
        EXPECT_FALSE(w->picIcon->pixmap().isNull());
        EXPECT_EQ(w->cmdOK->text(), "OK");
        EXPECT_EQ(w->cmdSysInfo->text(), "&System Info...");
        w->cmdOK_Click();
        settle();
        EXPECT_EQ(about->window(), nullptr) << "OK unloads the window";
    }
}

TEST_F(AboutWindow, LaidOutInTwipsAsAFixedDialog)
{
    frmAbout* w = about->mnuAbout_Click();
    EXPECT_EQ(w->size(), QSize(382, 237));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->cmdOK->geometry(), QRect(283, 175, 84, 23));
    EXPECT_EQ(w->cmdSysInfo->geometry(), QRect(284, 205, 83, 23));
    EXPECT_EQ(w->lblTitle->geometry(), QRect(70, 16, 259, 32));
    EXPECT_EQ(w->picIcon->geometry(), QRect(16, 16, 32, 32));
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(AboutWindow, OneWindowAtMostShownAgainWithoutReloading)
{
    frmAbout* first = about->mnuAbout_Click();
    first->lblTitle->setText("changed");
    frmAbout* second = about->mnuAbout_Click();
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->lblTitle->text(), "changed") << "not loaded again";
}

TEST_F(AboutWindow, ModelessWithoutAnOwnerSoTheGameStaysPlayable)
{
    window->mnuAbout_Click(); // the game's command reaches the About command through its services
    EXPECT_EQ(aboutShown, 1);
    frmAbout* w = about->mnuAbout_Click();
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->parentWidget(), nullptr);
    EXPECT_TRUE(window->isEnabled());
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(8);
    EXPECT_EQ(board().MoveCount, 1);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(AboutWindow, EscAndEnterCloseItUnlessSystemInfoHasTheFocus)
{
    frmAbout* w = about->mnuAbout_Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_Escape);
    settle();
    EXPECT_EQ(about->window(), nullptr);

    w = about->mnuAbout_Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_Return);
    settle();
    EXPECT_EQ(about->window(), nullptr);

    w = about->mnuAbout_Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->cmdSysInfo->setFocus();
    QTest::keyClick(w->cmdSysInfo, Qt::Key_Return);
    settle();
    EXPECT_EQ(about->window(), w) << "Enter pressed System Info, which leaves the window open";
    EXPECT_EQ(aboutPrompts.messages.size(), 1u);
}

TEST_F(AboutWindow, SystemInfoShowsTheMessageWhenNoToolIsFoundAndTheWindowStays)
{
    frmAbout* w = about->mnuAbout_Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_S, Qt::AltModifier); // the access key; the button shows itself pressed first
    for (int wait = 0; wait < 50 && aboutPrompts.messages.empty(); ++wait)
        QTest::qWait(20);
    ASSERT_EQ(aboutPrompts.messages.size(), 1u);
    EXPECT_EQ(aboutPrompts.messages[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(aboutPrompts.messages[0].style, 0);
    EXPECT_EQ(aboutPrompts.messages[0].title, "Vantirelle");
    w->cmdSysInfo_Click();
    EXPECT_EQ(aboutPrompts.messages.size(), 2u) << "the button can be used again";
    EXPECT_TRUE(w->isVisible());
}

TEST(SearchPathRegistry, AnswersTheFirstLookupWithAProgramFoundOnThePath)
{
    SearchPathRegistry present({"no-such-tool-for-vantirelle", "sh"});
    FakeFiles files;
    FakeLauncher launcher;
    RecordingPrompts prompts;
    std::string path;
    ASSERT_TRUE(GetKeyValue(present, Reg::LocalMachine, MsInfoKey, MsInfoPathValue, path));
    EXPECT_TRUE(path.ends_with("/sh")) << path;
    EXPECT_FALSE(GetKeyValue(present, Reg::LocalMachine, SharedToolsKey, SharedToolsMsInfoValue, path));
    launcher.startable.insert(QStandardPaths::findExecutable("sh").toStdString());
    StartSysInfo(present, files, launcher, prompts);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(launcher.started.size(), 1u);

    SearchPathRegistry absent({"no-such-tool-for-vantirelle"});
    StartSysInfo(absent, files, launcher, prompts);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "System Information Is Unavailable At This Time");
}

TEST(DetachedLauncher, StartsAProgramAndRefusesAnEmptyOrMissingPath)
{
    DetachedLauncher launcher;
    EXPECT_TRUE(launcher.start(QStandardPaths::findExecutable("true").toStdString()));
    EXPECT_FALSE(launcher.start(""));
    EXPECT_FALSE(launcher.start("/no/such/program"));
}
