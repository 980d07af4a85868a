#include "about/aboutwindow.h"
#include "about/platform.h"
#include "about/winregistry.h"
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
#ifdef _WIN32
    vantirelle::WindowsRegistry registry;
    vantirelle::WindowsFileSystem files;
#else
    vantirelle::SearchPathRegistry registry;
    vantirelle::LocalFileSystem files;
#endif
    vantirelle::DetachedLauncher launcher;
    vantirelle::QtPrompts aboutPrompts;
    vantirelle::AboutCommand about({&registry, &files, &launcher, &aboutPrompts});

    vantirelle::GameServices services;
    services.showAbout = [&about] { about.mnuAbout_Click(); };
    services.prompts = &prompts;
    services.screen = &screen;
    services.random = &random;
    services.dialogs = &dialogs;

    vantirelle::frmVantirelle window(services);
    prompts.setParent(&window);
    window.Form_Load();
    return QApplication::exec();
}
