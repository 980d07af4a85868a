#pragma once

#include <QAccessibleWidget>
#include <QLabel>

namespace vantirelle {

// A label whose changes a screen reader speaks: its accessible object has Qt's text
// interface, and each new text is announced as the old text deleted and the new one
// inserted, at most as often as the application's announcements allow (a quick run of
// changes is heard as the last of them).
class SpokenLabel : public QLabel {
    Q_OBJECT

public:
    explicit SpokenLabel(QWidget* parent = nullptr);
    ~SpokenLabel() override;

    // Shows the text, and announces it.
    void setSpokenText(const QString& text);
    // The text clients were last told of.
    const QString& announcedText() const { return m_announced; }

private:
    void announce();

    QString m_announced;
};

class LabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelAccessible(SpokenLabel* label);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface, over the text shown; nothing in it can be selected.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    SpokenLabel* label() const;
};

} // namespace vantirelle
