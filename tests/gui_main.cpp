// Entry point for the tests that need a QApplication. Runs headless unless told otherwise.
#include "window/icon.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(vantirelle::gameIcon());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
