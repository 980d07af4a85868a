#include "about/aboutdialog.h"
#include "gui_support.h"
#include "sysinfo_fakes.h"

#include <QLabel>
#include <QPushButton>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

class FakeFinder : public SystemInfoFinder {
public:
    std::optional<std::string> path;
    std::optional<std::string> find() override { return path; }
};

struct AboutDialogTest : GameWindowFixture {
    FakeFinder finder;
    FakeLauncher launcher;
    FakePrompts aboutPrompts;
    std::unique_ptr<AboutCommand> about;

    void SetUp() override
    {
        GameWindowFixture::SetUp();
        about = std::make_unique<AboutCommand>(AboutServices{&finder, &launcher, &aboutPrompts});
    }
    void TearDown() override { delete about->dialog(); }

    template <typename T = QWidget>
    static T* part(AboutDialog* dialog, const char* name)
    {
        T* found = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Lets a closed dialog finish going away.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

TEST_F(AboutDialogTest, ShowsTitleVersionAndNoticesEachTimeItIsMade)
{
    for (int load = 0; load < 2; ++load) {
        AboutDialog* dialog = about->show();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "About Vantirelle");
        EXPECT_EQ(part<QLabel>(dialog, "title")->text(), "Vantirelle");
        EXPECT_EQ(part<QLabel>(dialog, "version")->text(), "Version 1.0.1");
        EXPECT_EQ(part<QLabel>(dialog, "disclaimer")->text().split('\n'),
                  (QStringList{"Warning: ...", "Designed as a University project", "May not be stable.",
                               "No responsibility taken in anyway whatsoever."}));
        EXPECT_TRUE(part<QLabel>(dialog, "description")->text().contains("under the MIT licence"))
            << "the notice says what the game may be shared under";
        EXPECT_FALSE(part<QLabel>(dialog, "icon")->pixmap().isNull());
        EXPECT_EQ(part<QPushButton>(dialog, "ok")->text(), "OK");
        EXPECT_EQ(part<QPushButton>(dialog, "systemInfo")->text(), "&System Info...");
        part<QPushButton>(dialog, "ok")->click();
        settle();
        EXPECT_EQ(about->dialog(), nullptr) << "OK closes and deletes the dialog";
    }
}

TEST_F(AboutDialogTest, LaidOutInTwipsAsAFixedDialog)
{
    AboutDialog* dialog = about->show();
    EXPECT_EQ(dialog->size(), QSize(382, 237));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_EQ(part(dialog, "ok")->geometry(), QRect(283, 175, 84, 23));
    EXPECT_EQ(part(dialog, "systemInfo")->geometry(), QRect(284, 205, 83, 23));
    EXPECT_EQ(part(dialog, "title")->geometry(), QRect(70, 16, 259, 32));
    EXPECT_EQ(part(dialog, "icon")->geometry(), QRect(16, 16, 32, 32));
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(AboutDialogTest, OneDialogAtMostShownAgainAsItWas)
{
    AboutDialog* first = about->show();
    part<QLabel>(first, "title")->setText("changed");
    AboutDialog* second = about->show();
    EXPECT_EQ(first, second);
    EXPECT_EQ(part<QLabel>(second, "title")->text(), "changed") << "not made again";
}

TEST_F(AboutDialogTest, ModelessWithoutAnOwnerSoTheGameStaysPlayable)
{
    AboutDialog* dialog = about->show();
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    EXPECT_TRUE(window->isEnabled());
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(8);
    EXPECT_EQ(board().moves(), 1);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(AboutDialogTest, EscAndEnterCloseItUnlessSystemInfoHasTheFocus)
{
    AboutDialog* dialog = about->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_Escape);
    settle();
    EXPECT_EQ(about->dialog(), nullptr);

    dialog = about->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_Return);
    settle();
    EXPECT_EQ(about->dialog(), nullptr);

    dialog = about->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto* systemInfo = part<QPushButton>(dialog, "systemInfo");
    systemInfo->setFocus();
    QTest::keyClick(systemInfo, Qt::Key_Return);
    settle();
    EXPECT_EQ(about->dialog(), dialog) << "Enter pressed System Info, which leaves the dialog open";
    EXPECT_EQ(aboutPrompts.messages.size(), 1u);
}

TEST_F(AboutDialogTest, SystemInfoStartsTheProgramFoundOrSaysItIsUnavailable)
{
    AboutDialog* dialog = about->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_S, Qt::AltModifier); // the access key; the button shows itself pressed first
    for (int wait = 0; wait < 50 && aboutPrompts.messages.empty(); ++wait)
        QTest::qWait(20);
    ASSERT_EQ(aboutPrompts.messages.size(), 1u);
    EXPECT_EQ(aboutPrompts.messages[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(aboutPrompts.messages[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(aboutPrompts.messages[0].buttons, QMessageBox::Ok);

    finder.path = "/usr/bin/hardinfo";
    launcher.startable.insert("/usr/bin/hardinfo");
    dialog->startSystemInfo();
    EXPECT_EQ(launcher.started.back(), "/usr/bin/hardinfo");
    EXPECT_EQ(aboutPrompts.messages.size(), 1u) << "no message when it starts";
    EXPECT_TRUE(dialog->isVisible());
}
