#include "about/aboutwindow.h"

#include "about/sysinfo.h"
#include "board/host.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace vantirelle {

namespace {

float twipsPerPixel(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = !screen ? 96.0 : horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return static_cast<float>(1440.0 / (dpi > 0 ? dpi : 96.0));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QRect& place)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

QString frmAbout::versionText()
{
    // major.minor.revision of the build's version (the third number is not shown)
    return QStringLiteral("Version %1.%2.%3")
        .arg(VANTIRELLE_VERSION_MAJOR)
        .arg(VANTIRELLE_VERSION_MINOR)
        .arg(VANTIRELLE_VERSION_REVISION);
}

frmAbout::frmAbout(const AboutServices& services)
    : QDialog(nullptr)
    , m_services(services)
    , m_tpx(twipsPerPixel(true))
    , m_tpy(twipsPerPixel(false))
{
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads: the next About command loads it afresh
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips(0, 0, 5730, 3555).size());
    // The layout is measured for an 8-point face; larger desktop fonts would spill out of the labels.
    QFont face = font();
    if (face.pointSizeF() > 8.25) {
        face.setPointSizeF(8.25);
        setFont(face);
    }

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    const QPixmap icon(QStringLiteral(":/vantirelle.png"));
    picIcon->setPixmap(icon);
    picIcon->setGeometry(QRect(twips(240, 240, 540, 540).topLeft(), icon.isNull() ? QSize(32, 32) : icon.size()));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setGeometry(twips(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName("cmdSysInfo");
    cmdSysInfo->setGeometry(twips(4260, 3075, 1245, 345));

    lblDescription = makeLabel(this, "lblDescription", twips(1050, 1125, 3885, 1170));
    lblDescription->setText(QStringLiteral("A sliding-tile puzzle by the Vantirelle developers.\n"
                                           "Copyright \u00A9 2026 the Vantirelle developers. All rights reserved."));
    lblTitle = makeLabel(this, "lblTitle", twips(1050, 240, 3885, 480));
    lblVersion = makeLabel(this, "lblVersion", twips(1050, 780, 3885, 225));
    lblVersion->setPalette(QPalette());
    lblDisclaimer = makeLabel(this, "lblDisclaimer", twips(255, 2625, 3870, 825));
    lblDisclaimer->setText(QStringLiteral("Warning: ...\n"
                                          "Designed as a University project\n"
                                          "May not be stable.\n"
                                          "No responsibility taken in anyway whatsoever."));

    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    // Esc presses OK: the window closes, as OK closes it.
    connect(this, &QDialog::rejected, this, [this] { close(); });
}

QRect frmAbout::twips(float left, float top, float width, float height) const
{
    auto px = [](float value, float perPixel) { return static_cast<int>(std::lround(value / perPixel)); };
    return QRect(px(left, m_tpx), px(top, m_tpy), px(width, m_tpx), px(height, m_tpy));
}

void frmAbout::Form_Load()
{
    const QString title = QString::fromUtf8(ApplicationTitle.data(), static_cast<qsizetype>(ApplicationTitle.size()));
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion->setText(versionText());
    lblTitle->setText(title);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo(*m_services.registry, *m_services.files, *m_services.launcher, *m_services.prompts);
}

void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // An etched separator: a grey line with a white one just below it.
    QPainter painter(this);
    const QRect grey = twips(90, 2445, 5654 - 90, 0);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.drawLine(grey.left(), grey.top(), grey.right(), grey.top());
    const QRect white = twips(105, 2460, 5654 - 105, 0);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(white.left(), white.top(), white.right(), white.top());
}

frmAbout* AboutCommand::mnuAbout_Click()
{
    if (!m_window) {
        m_window = new frmAbout(m_services);
        m_window->Form_Load();
    }
    m_window->show(); // modeless: the game window stays playable
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

} // namespace vantirelle
