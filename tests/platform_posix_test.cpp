// The system information finder and launcher of systems without a registry.
#include "about/platform.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace vantirelle;

TEST(PathSystemInfoFinder, FindsTheFirstKnownProgramOnThePath)
{
    PathSystemInfoFinder present({"no-such-tool-for-vantirelle", "sh"});
    const auto found = present.find();
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, QStandardPaths::findExecutable("sh").toStdString());
    EXPECT_FALSE(PathSystemInfoFinder({"no-such-tool-for-vantirelle"}).find());
    EXPECT_EQ(PathSystemInfoFinder::knownTools(), (QStringList{"hardinfo", "kinfocenter"}));
}

TEST(DetachedLauncher, StartsAProgramAndRefusesAnEmptyOrMissingPath)
{
    DetachedLauncher launcher;
    EXPECT_TRUE(launcher.start(QStandardPaths::findExecutable("true").toStdString()));
    EXPECT_FALSE(launcher.start(""));
    EXPECT_FALSE(launcher.start("/no/such/program"));
}
