#pragma once

#include <QDialog>
#include <QPointer>

#include <array>

class QLabel;
class QPushButton;

namespace vantirelle {

class FileSystem;
class ProgramLauncher;
class Prompts;
class Registry;

struct AboutServices {
    Registry* registry = nullptr;
    FileSystem* files = nullptr;
    ProgramLauncher* launcher = nullptr;
    Prompts* prompts = nullptr;
};

// The About window: title, version, notices, and a button that starts the
// platform's system information program.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(const AboutServices& services);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel* picIcon = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;

    static QString versionText();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect twips(float left, float top, float width, float height) const;

    AboutServices m_services;
    float m_tpx, m_tpy;
};

// The About command: loads the window when it is not loaded and shows it beside the
// game window, without an owner. There is never more than one.
class AboutCommand {
public:
    explicit AboutCommand(const AboutServices& services) : m_services(services) {}
    frmAbout* mnuAbout_Click();
    frmAbout* window() const { return m_window; }

private:
    AboutServices m_services;
    QPointer<frmAbout> m_window;
};

} // namespace vantirelle
