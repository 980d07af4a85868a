#include "window/services.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>

namespace vantirelle {

namespace {

QScreen* primary()
{
    return QGuiApplication::primaryScreen();
}

} // namespace

QSize PrimaryScreen::sizePixels() const
{
    return primary() ? primary()->size() : QSize(1024, 768);
}

QRect PrimaryScreen::availableGeometry() const
{
    return primary() ? primary()->availableGeometry() : QRect(0, 0, 1024, 768);
}

double PrimaryScreen::logicalDpiX() const
{
    return primary() && primary()->logicalDotsPerInchX() > 0 ? primary()->logicalDotsPerInchX() : 96.0;
}

double PrimaryScreen::logicalDpiY() const
{
    return primary() && primary()->logicalDotsPerInchY() > 0 ? primary()->logicalDotsPerInchY() : 96.0;
}

bool PrimaryScreen::placesWindows() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& title, const QString& start,
                                    const QString& filter)
{
    // The dialog asks before replacing a file it was given by name.
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

QString QtFileDialogs::openFileName(QWidget* parent, const QString& title, const QString& start,
                                    const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

std::optional<QString> SystemClipboard::text() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text();
}

void SystemClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace vantirelle
