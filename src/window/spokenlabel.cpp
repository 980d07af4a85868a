#include "window/spokenlabel.h"

#include "window/announcer.h"
#include "window/boardaccessible.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPointer>

#include <algorithm>

namespace vantirelle {

SpokenLabel::SpokenLabel(QWidget* parent) : QLabel(parent)
{
    installAccessibility();
}

SpokenLabel::~SpokenLabel()
{
    Announcer::instance().forget(this);
}

void SpokenLabel::setSpokenText(const QString& text)
{
    // Once announced, the label carries the announced text as its accessible name, and a
    // label with a name of its own sends no event at each change: only the announcements
    // below reach a client.
    setText(text);
    if (!QAccessible::isActive()) {
        m_announced = text;
        return;
    }
    // The name, and the text removed and inserted: three signals.
    Announcer::instance().post(this, 0, Announcements::Kind::Text, 3, [label = QPointer<SpokenLabel>(this)] {
        if (label)
            label->announce();
    });
}

void SpokenLabel::announce()
{
    if (text() == m_announced)
        return;
    const QString before = m_announced;
    m_announced = text();
    setAccessibleName(m_announced); // sends the name change
    QAccessibleTextUpdateEvent update(this, 0, before, m_announced);
    QAccessible::updateAccessibility(&update);
}

LabelAccessible::LabelAccessible(SpokenLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

SpokenLabel* LabelAccessible::label() const
{
    return static_cast<SpokenLabel*>(widget());
}

QString LabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString& announced = label()->announcedText();
        return announced.isEmpty() ? label()->text() : announced;
    }
    return QAccessibleWidget::text(t);
}

void* LabelAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString LabelAccessible::text(int startOffset, int endOffset) const
{
    const QString shown = label()->text();
    const int start = std::clamp(startOffset, 0, static_cast<int>(shown.size()));
    const int end = endOffset < 0 ? static_cast<int>(shown.size()) : std::clamp(endOffset, start, static_cast<int>(shown.size()));
    return shown.mid(start, end - start);
}

int LabelAccessible::characterCount() const
{
    return static_cast<int>(label()->text().size());
}

QRect LabelAccessible::characterRect(int offset) const
{
    const QString shown = label()->text();
    if (offset < 0 || offset >= shown.size())
        return {};
    const QFontMetrics metrics(label()->font());
    const QRect inside = label()->contentsRect();
    const int textWidth = metrics.horizontalAdvance(shown);
    const int left = inside.left() + (label()->alignment() & Qt::AlignHCenter ? (inside.width() - textWidth) / 2 : 0);
    const int x = left + metrics.horizontalAdvance(shown.left(offset));
    const QRect local(x, inside.top() + (inside.height() - metrics.height()) / 2,
                      metrics.horizontalAdvance(shown.at(offset)), metrics.height());
    return QRect(label()->mapToGlobal(local.topLeft()), local.size());
}

int LabelAccessible::offsetAtPoint(const QPoint& point) const
{
    for (int offset = 0; offset < characterCount(); ++offset) {
        if (characterRect(offset).contains(point))
            return offset;
    }
    return -1;
}

QString LabelAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    if (offset < 0 || offset > characterCount())
        *startOffset = *endOffset = -1;
    return {};
}

} // namespace vantirelle
