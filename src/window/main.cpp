#include "board/random.h"
#include "window/mainwindow.h"
#include "window/services.h"
#include "savegame/gamefileio.h"

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
    vantirelle::QtFileDialogs dialogs;
    vantirelle::GameServices services;
    services.prompts = &prompts;
    services.screen = &screen;
    services.random = &random;
    services.dialogs = &dialogs;

    vantirelle::frmVantirelle window(services);
    prompts.setParent(&window);
    window.Form_Load();
    return QApplication::exec();
}
