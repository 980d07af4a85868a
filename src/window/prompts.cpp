#include "window/prompts.h"

#include "board/texts.h"

#include <QApplication>

namespace vantirelle {

QMessageBox::StandardButton QtPrompts::message(QMessageBox::Icon icon, const QString& text,
                                               QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString::fromUtf8(ApplicationTitle.data(), static_cast<qsizetype>(ApplicationTitle.size())),
                    text, buttons, m_parent);
    if (buttons.testFlag(QMessageBox::Yes))
        box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtPrompts::beep()
{
    QApplication::beep();
}

} // namespace vantirelle
