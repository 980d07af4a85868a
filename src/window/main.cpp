#include "board/random.h"
#include "window/mainwindow.h"
#include "window/services.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantirelle"));
    QApplication::setApplicationVersion(QStringLiteral(VANTIRELLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("vantirelle"));

    vantirelle::QtPrompts prompts;
    vantirelle::PrimaryScreen screen;
    vantirelle::TimeSeededRandom random;
    vantirelle::GameServices services;
    services.prompts = &prompts;
    services.screen = &screen;
    services.random = &random;

    vantirelle::frmVantirelle window(services);
    prompts.setParent(&window);
    window.Form_Load();
    return QApplication::exec();
}
