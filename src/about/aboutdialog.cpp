#include "about/aboutdialog.h"

#include "about/sysinfo.h"
#include "board/layout.h"
#include "board/texts.h"
#include "window/prompts.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace vantirelle {

namespace {

float twipsPerPixel(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = !screen ? 96.0 : horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return static_cast<float>(1440.0 / (dpi > 0 ? dpi : 96.0));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QRect& place, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QString applicationTitle()
{
    return QString::fromUtf8(ApplicationTitle.data(), static_cast<qsizetype>(ApplicationTitle.size()));
}

} // namespace

QString AboutDialog::versionText()
{
    // major.minor.revision of the build's version; the third number is not shown
    return QStringLiteral("Version %1.%2.%3")
        .arg(VANTIRELLE_VERSION_MAJOR)
        .arg(VANTIRELLE_VERSION_MINOR)
        .arg(VANTIRELLE_VERSION_REVISION);
}

AboutDialog::AboutDialog(const AboutServices& services)
    : QDialog(nullptr)
    , m_services(services)
    , m_twipsPerPixelX(twipsPerPixel(true))
    , m_twipsPerPixelY(twipsPerPixel(false))
{
    setObjectName(QStringLiteral("aboutDialog"));
    setAttribute(Qt::WA_DeleteOnClose); // the next About command makes it afresh
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About ") + applicationTitle());
    setFixedSize(twips(0, 0, 5730, 3555).size());
    // The layout is measured for an 8-point face; larger desktop fonts would spill out of the labels.
    QFont face = font();
    if (face.pointSizeF() > 8.25) {
        face.setPointSizeF(8.25);
        setFont(face);
    }

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    const QSize iconSize(32, 32);
    icon->setPixmap(QApplication::windowIcon().pixmap(iconSize, devicePixelRatioF()));
    icon->setGeometry(QRect(twips(240, 240, 540, 540).topLeft(), iconSize));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(twips(4245, 2625, 1260, 345));
    ok->setDefault(true);

    auto* systemInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    systemInfo->setObjectName(QStringLiteral("systemInfo"));
    systemInfo->setGeometry(twips(4260, 3075, 1245, 345));

    makeLabel(this, "description", twips(1050, 1125, 3885, 1170),
              QStringLiteral("A sliding-tile puzzle by the Vantirelle developers.\n"
                             "Copyright \u00A9 2026 The Vantirelle developers.\n"
                             "Free software under the MIT licence."));
    makeLabel(this, "title", twips(1050, 240, 3885, 480), applicationTitle());
    makeLabel(this, "version", twips(1050, 780, 3885, 225), versionText());
    makeLabel(this, "disclaimer", twips(255, 2625, 3870, 825),
              QStringLiteral("Warning: ...\n"
                             "Designed as a University project\n"
                             "May not be stable.\n"
                             "No responsibility taken in anyway whatsoever."));

    setTabOrder(ok, systemInfo);
    ok->setFocus();

    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    connect(systemInfo, &QPushButton::clicked, this, &AboutDialog::startSystemInfo);
    // Esc rejects the dialog; it closes as OK closes it.
    connect(this, &QDialog::rejected, this, &QDialog::close);
}

QRect AboutDialog::twips(float left, float top, float width, float height) const
{
    const PixelRect r = twipsRect(left, top, width, height, {m_twipsPerPixelX, m_twipsPerPixelY});
    return QRect(r.x, r.y, r.width, r.height);
}

void AboutDialog::startSystemInfo()
{
    if (!launchSystemInfo(*m_services.finder, *m_services.launcher))
        m_services.prompts->message(QMessageBox::NoIcon, QString::fromUtf8(SystemInfoUnavailable));
}

void AboutDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // An etched separator: a grey line with a light one just below it.
    QPainter painter(this);
    const QRect grey = twips(90, 2445, 5654 - 90, 0);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.drawLine(grey.left(), grey.top(), grey.right(), grey.top());
    const QRect light = twips(105, 2460, 5654 - 105, 0);
    painter.setPen(QPen(palette().color(QPalette::Light), 2));
    painter.drawLine(light.left(), light.top(), light.right(), light.top());
}

AboutDialog* AboutCommand::show()
{
    if (!m_dialog)
        m_dialog = new AboutDialog(m_services);
    m_dialog->show(); // modeless: the game window stays playable
    m_dialog->raise();
    m_dialog->activateWindow();
    return m_dialog;
}

} // namespace vantirelle
