#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace vantirelle {

// Modal messages and the beep. The game shows them through QMessageBox; tests answer
// from a script, so nothing ever waits for a person.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;
    virtual void beep() = 0;
};

// Message boxes titled with the application's title, over the given window.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    void beep() override;

private:
    QWidget* m_parent;
};

} // namespace vantirelle
