#include "window/boardframe.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace vantirelle {

namespace {

constexpr int CaptionLeft = 8;
constexpr int CaptionPadding = 2;

} // namespace

QRect BoardFrame::titleRect() const
{
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(title()) + 2 * CaptionPadding;
    return QRect(CaptionLeft, 0, width, metrics.height());
}

QRect BoardFrame::frameRect() const
{
    return rect().adjusted(0, titleRect().height() / 2, 0, 0);
}

void BoardFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // An etched line, as QFrame draws a sunken box; some styles' group box frames keep
    // room for a caption above them, which this layout does not have.
    qDrawShadeRect(&painter, frameRect(), palette(), true, 1, 0);

    const QRect caption = titleRect();
    painter.fillRect(caption, palette().window());
    style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                          title(), QPalette::WindowText);
}

} // namespace vantirelle
