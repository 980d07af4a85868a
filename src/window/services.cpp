#include "window/services.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
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

int QtPrompts::messageBox(std::string_view text, int style, std::string_view title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    box.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    switch (style & MsgBox::IconMask) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case MsgBox::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgBox::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if ((style & MsgBox::ButtonsMask) == MsgBox::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Yes: return MsgBox::AnswerYes;
    case QMessageBox::No: return MsgBox::AnswerNo;
    default: return MsgBox::AnswerOk;
    }
}

void QtPrompts::beep()
{
    QApplication::beep();
}

} // namespace vantirelle
