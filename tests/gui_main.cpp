// Entry point for the tests that need a QApplication. Runs headless unless told otherwise.
#include <QApplication>
#include <QIcon>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantirelle.png")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
