#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace vantirelle {

class ProgramLauncher;
class Prompts;
class SystemInfoFinder;

struct AboutServices {
    SystemInfoFinder* finder = nullptr;
    ProgramLauncher* launcher = nullptr;
    Prompts* prompts = nullptr;
};

// The About window: title, version, notices, and a button that starts the platform's
// system information program. It is laid out in twips as a fixed dialog; OK, Enter
// and Esc close it, and closing it deletes it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(const AboutServices& services);

    static QString versionText();
    void startSystemInfo();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect twips(float left, float top, float width, float height) const;

    AboutServices m_services;
    float m_twipsPerPixelX;
    float m_twipsPerPixelY;
};

// The About command: makes the window when there is none and shows it beside the game
// window, without an owner and without blocking the game. There is never more than one.
class AboutCommand {
public:
    explicit AboutCommand(const AboutServices& services) : m_services(services) {}
    AboutDialog* show();
    AboutDialog* dialog() const { return m_dialog; }

private:
    AboutServices m_services;
    QPointer<AboutDialog> m_dialog;
};

} // namespace vantirelle
