#include "about/aboutdialog.h"
#include "about/platform.h"
#include "board/random.h"
#include "window/gamewindow.h"
#include "window/icon.h"
#include "window/prompts.h"
#include "window/services.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantirelle"));
    QApplication::setApplicationVersion(QStringLiteral(VANTIRELLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.vantirelle.Vantirelle"));
    QApplication::setWindowIcon(vantirelle::gameIcon());

    vantirelle::QtPrompts prompts;
    vantirelle::PrimaryScreen screen;
    vantirelle::TimeSeededRandom random;
    vantirelle::QtFileDialogs dialogs;
    vantirelle::SystemClipboard clipboard;

    const std::unique_ptr<vantirelle::SystemInfoFinder> finder = vantirelle::platformSystemInfoFinder();
    vantirelle::DetachedLauncher launcher;
    vantirelle::QtPrompts aboutPrompts;
    vantirelle::AboutCommand about({finder.get(), &launcher, &aboutPrompts});

    vantirelle::GameServices services;
    services.prompts = &prompts;
    services.screen = &screen;
    services.random = &random;
    services.dialogs = &dialogs;
    services.clipboard = &clipboard;
    services.showAbout = [&about] { about.show(); };

    vantirelle::GameWindow window(services);
    prompts.setParent(&window);
    window.show();
    return QApplication::exec();
}
