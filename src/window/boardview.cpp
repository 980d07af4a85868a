#include "window/boardview.h"

#include "board/layout.h"
#include "window/announcer.h"
#include "window/boardaccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionButton>
#include <QTimer>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

namespace vantirelle {

namespace {

// Relative luminance and contrast ratio as the web content accessibility guidelines define them.
double luminance(const QColor& colour)
{
    auto channel = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

constexpr double LegibleContrast = 4.5;
constexpr int CaptionMargin = 4;      // pixels kept free between a caption and the tile's sides
constexpr qreal SmallestCaptionPoints = 6.0;

} // namespace

BoardView::BoardView(QWidget* parent)
    : QWidget(parent)
    , m_face(192, 255, 255)
{
    setObjectName(QStringLiteral("board"));
    setFocusPolicy(Qt::StrongFocus);
    m_font = QFont(QStringLiteral("MS Sans Serif"));
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPointSizeF(9.75);
    m_font.setWeight(QFont::Normal);
    updateTilePalette();
    installAccessibility();
}

BoardView::~BoardView()
{
    Announcer::instance().forget(this);
}

void BoardView::setBoard(const Board* board, const BoardLayout* layout)
{
    finishGlide();
    m_board = board;
    m_layout = layout;
    m_pressed = -1;
    m_keyDown = 0;
    m_flashPlace = -1;
    m_focus = firstShownPlace();
    update();
    announceNewBoard();
    if (m_focus >= 0)
        emit focusRectChanged(tileRect(m_focus));
}

void BoardView::boardChanged()
{
    finishGlide();
    if (!isShown(m_focus))
        m_focus = firstShownPlace();
    update();
    announceNewBoard();
}

bool BoardView::isShown(int place) const
{
    return m_board && place >= 0 && place < m_board->places() && !m_board->isBlank(place);
}

int BoardView::firstShownPlace() const
{
    if (!m_board)
        return -1;
    for (int place = 0; place < m_board->places(); ++place) {
        if (!m_board->isBlank(place))
            return place;
    }
    return -1;
}

QRect BoardView::tileRect(int place) const
{
    if (!m_board || !m_layout || place < 0 || place >= m_board->places())
        return {};
    const PixelRect r = m_layout->tile(m_board->column(place), m_board->row(place));
    return QRect(r.x, r.y, r.width, r.height);
}

int BoardView::tileAt(const QPoint& point) const
{
    if (!m_board || !m_layout)
        return -1;
    const int column = m_layout->columnAt(point.x());
    const int row = m_layout->rowAt(point.y());
    if (column < 0 || row < 0 || column >= m_board->width() || row >= m_board->height())
        return -1;
    const int place = m_board->placeAt(row, column);
    return isShown(place) ? place : -1;
}

void BoardView::repaintPlace(int place)
{
    if (place >= 0)
        update(tileRect(place));
}

void BoardView::setFocusPlace(int place)
{
    if (!isShown(place) || place == m_focus)
        return;
    const int previous = m_focus;
    m_focus = place;
    repaintPlace(previous);
    repaintPlace(place);
    announceFocus();
    emit focusRectChanged(tileRect(place));
}

void BoardView::tileMoved(const Slide& slide)
{
    finishGlide();
    const int tiles = m_board ? m_board->tilesIn(slide) : 0;
    if (tiles <= 0)
        return;
    const int step = (slide.to - slide.from) / tiles;
    if (m_pressed == slide.from)
        m_pressed = -1;
    const QRect line = tileRect(slide.from).united(tileRect(slide.to));
    update(line);
    if (isVisible() && style()->styleHint(QStyle::SH_Widget_Animation_Duration, nullptr, this) > 0) {
        if (!m_glide) {
            m_glide = new QVariantAnimation(this);
            m_glide->setDuration(GlideMilliseconds);
            m_glide->setEasingCurve(QEasingCurve::OutCubic);
            connect(m_glide, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
                if (m_glideFirst < 0)
                    return;
                const QRect before = glideArea();
                m_glideOffset = value.toPoint();
                update(before.united(glideArea()));
            });
            connect(m_glide, &QVariantAnimation::finished, this, [this] { finishGlide(); });
        }
        // The tiles now stand from the place beside `from` up to `to`; each glides one place on.
        m_glideFirst = slide.from + step;
        m_glideLast = slide.to;
        m_glideStep = step;
        const QPoint pitch = tileRect(slide.from).topLeft() - tileRect(slide.from + step).topLeft();
        m_glideOffset = pitch;
        m_glide->setStartValue(pitch);
        m_glide->setEndValue(QPoint(0, 0));
        m_glide->start();
    }
    // A long line, or many cells still waiting, is told as the table changed as a whole, once.
    const int changed = tiles + 1; // the tiles moved and the blank they leave
    if (accessible() && Announcer::instance().waiting(this, Announcements::Kind::Cell) + changed > MostCellsNamed) {
        announceNewBoard();
    } else {
        for (int place = slide.from;; place += step) {
            announceCell(place);
            if (place == slide.to)
                break;
        }
    }
    // The focus frame follows the tile that was pressed.
    const int previous = m_focus;
    m_focus = slide.from + step;
    if (previous != m_focus)
        repaintPlace(previous);
    announceFocus();
    emit focusRectChanged(tileRect(m_focus));
}

bool BoardView::isGliding() const
{
    return m_glideFirst >= 0;
}

bool BoardView::isGliding(int place) const
{
    if (m_glideFirst < 0)
        return false;
    const int along = (place - m_glideFirst) / m_glideStep;
    return (place - m_glideFirst) % m_glideStep == 0 && along >= 0
           && along <= (m_glideLast - m_glideFirst) / m_glideStep;
}

QRect BoardView::glideArea() const
{
    if (m_glideFirst < 0)
        return {};
    const QRect line = tileRect(m_glideFirst).united(tileRect(m_glideLast));
    return line.united(line.translated(m_glideOffset));
}

void BoardView::finishGlide()
{
    if (m_glideFirst < 0)
        return;
    const QRect area = glideArea();
    m_glideFirst = m_glideLast = -1;
    if (m_glide)
        m_glide->stop();
    update(area);
}

QColor BoardView::captionColour() const
{
    const QColor text = palette().color(QPalette::ButtonText);
    if (contrast(text, m_face) >= LegibleContrast)
        return text;
    return contrast(Qt::black, m_face) >= contrast(Qt::white, m_face) ? QColor(Qt::black) : QColor(Qt::white);
}

QFont BoardView::captionFont(const QString& caption, bool bold) const
{
    QFont font = m_font;
    font.setBold(bold);
    const int available = (m_layout ? m_layout->tileWidth() : 48) - 2 * CaptionMargin;
    while (QFontMetrics(font).horizontalAdvance(caption) > available && font.pointSizeF() > SmallestCaptionPoints)
        font.setPointSizeF(std::max(SmallestCaptionPoints, font.pointSizeF() - 0.75));
    return font;
}

void BoardView::paintEvent(QPaintEvent* event)
{
    if (!m_board || !m_layout)
        return;
    QPainter painter(this);
    const QRect exposed = event->rect();

    QStyleOptionButton option;
    option.initFrom(this);
    option.palette = m_tilePalette;
    const QStyle::State base = option.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    const QFont regular = captionFont(QString(), false);
    const QFont bold = captionFont(QString(), true);
    const int available = m_layout->tileWidth() - 2 * CaptionMargin;

    auto drawTile = [&](int place, const QRect& rect) {
        QString text = QString::fromStdString(m_board->caption(place));
        const bool isBold = m_board->isBold(place);
        QFont font = isBold ? bold : regular;
        if (QFontMetrics(font).horizontalAdvance(text) > available) {
            font = captionFont(text, isBold);
            text = QFontMetrics(font).elidedText(text, Qt::ElideRight, available);
        }
        option.rect = rect;
        option.text = text;
        option.fontMetrics = QFontMetrics(font);
        option.state = base;
        const bool down = place == m_pressed && (m_pressedInside || m_keyDown != 0);
        option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        if (place == m_focus && hasFocus())
            option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        painter.setFont(font);
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        if (place == m_flashPlace) {
            QColor light = palette().color(QPalette::Highlight);
            light.setAlpha(110);
            painter.fillRect(rect.adjusted(2, 2, -2, -2), light);
        }
    };

    // Only the columns and rows that reach into the exposed area.
    const QRect first = tileRect(0);
    const int pitchX = std::max(1, m_layout->tileWidth());
    const int pitchY = std::max(1, m_layout->tileHeight());
    const int fromColumn = std::clamp((exposed.left() - first.left()) / pitchX - 1, 0, m_board->width() - 1);
    const int toColumn = std::clamp((exposed.right() - first.left()) / pitchX + 1, 0, m_board->width() - 1);
    const int fromRow = std::clamp((exposed.top() - first.top()) / pitchY - 1, 0, m_board->height() - 1);
    const int toRow = std::clamp((exposed.bottom() - first.top()) / pitchY + 1, 0, m_board->height() - 1);
    for (int row = fromRow; row <= toRow; ++row) {
        for (int column = fromColumn; column <= toColumn; ++column) {
            const int place = m_board->placeAt(row, column);
            if (m_board->isBlank(place) || isGliding(place))
                continue;
            const QRect rect = tileRect(place);
            if (rect.intersects(exposed))
                drawTile(place, rect);
        }
    }
    if (m_glideFirst >= 0 && glideArea().intersects(exposed)) {
        for (int place = m_glideFirst;; place += m_glideStep) {
            if (isShown(place))
                drawTile(place, tileRect(place).translated(m_glideOffset));
            if (place == m_glideLast)
                break;
        }
    }
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int place = tileAt(event->position().toPoint());
    if (place < 0) {
        event->ignore();
        return;
    }
    // A button takes the focus when it is pressed.
    setFocus(Qt::MouseFocusReason);
    setFocusPlace(place);
    m_pressed = place;
    m_pressedInside = true;
    m_pressedWithShift = event->modifiers().testFlag(Qt::ShiftModifier);
    repaintPlace(place);
}

void BoardView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed < 0 || m_keyDown != 0)
        return;
    const bool inside = tileRect(m_pressed).contains(event->position().toPoint());
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        repaintPlace(m_pressed);
    }
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressed < 0 || m_keyDown != 0)
        return;
    const int place = m_pressed;
    const bool inside = tileRect(place).contains(event->position().toPoint());
    m_pressed = -1;
    m_pressedInside = false;
    repaintPlace(place);
    if (inside)
        m_pressedWithShift ? emit lineClicked(place) : emit tileClicked(place);
}

void BoardView::moveFocusToward(int columnStep, int rowStep)
{
    if (!isShown(m_focus))
        return;
    int column = m_board->column(m_focus) + columnStep;
    int row = m_board->row(m_focus) + rowStep;
    for (; column >= 0 && row >= 0 && column < m_board->width() && row < m_board->height();
         column += columnStep, row += rowStep) {
        const int place = m_board->placeAt(row, column);
        if (isShown(place)) {
            setFocusPlace(place);
            return;
        }
    }
}

void BoardView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow) {
        // Ctrl with an arrow moves the focus frame; a plain arrow is the window's to slide with.
        if (event->modifiers() & Qt::ControlModifier) {
            moveFocusToward(key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0,
                            key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0);
        }
        event->accept(); // never scroll the board from under the focus frame
        return;
    }
    const bool activates = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (activates && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        if (!event->isAutoRepeat() && m_keyDown == 0 && isShown(m_focus)) {
            m_pressed = m_focus;
            m_keyDown = key;
            m_pressedWithShift = modifiers == Qt::ShiftModifier;
            repaintPlace(m_focus);
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BoardView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == m_keyDown && !event->isAutoRepeat()) {
        m_keyDown = 0;
        const int place = m_pressed;
        m_pressed = -1;
        repaintPlace(place);
        if (isShown(place))
            m_pressedWithShift ? emit lineClicked(place) : emit tileClicked(place);
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void BoardView::flashTile(int place)
{
    if (!isShown(place))
        return;
    repaintPlace(m_flashPlace);
    m_flashPlace = place;
    repaintPlace(place);
    QTimer::singleShot(FlashMilliseconds, this, [this, place] {
        if (m_flashPlace == place) {
            m_flashPlace = -1;
            repaintPlace(place);
        }
    });
}

void BoardView::pressTile(int place)
{
    if (isShown(place))
        emit tileClicked(place);
}

void BoardView::focusInEvent(QFocusEvent* event)
{
    if (!isShown(m_focus))
        m_focus = firstShownPlace();
    if (m_focus >= 0) {
        repaintPlace(m_focus);
        // Qt announces the view's own focus once this returns; that one is held back.
        m_focusArriving = true;
        QTimer::singleShot(0, this, [this] { m_focusArriving = false; });
        announceFocus();
        emit focusRectChanged(tileRect(m_focus));
    }
    QWidget::focusInEvent(event);
}

void BoardView::focusOutEvent(QFocusEvent* event)
{
    if (m_keyDown != 0 || m_pressed >= 0) {
        repaintPlace(m_pressed);
        m_keyDown = 0;
        m_pressed = -1;
    }
    repaintPlace(m_focus);
    QWidget::focusOutEvent(event);
}

void BoardView::updateTilePalette()
{
    m_tilePalette = palette();
    m_tilePalette.setColor(QPalette::Button, m_face);
    m_tilePalette.setColor(QPalette::ButtonText, captionColour());
}

void BoardView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        updateTilePalette();
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

BoardViewAccessible* BoardView::accessible() const
{
    if (!QAccessible::isActive())
        return nullptr;
    return static_cast<BoardViewAccessible*>(QAccessible::queryAccessibleInterface(const_cast<BoardView*>(this)));
}

void BoardView::announceCell(int place)
{
    if (!accessible())
        return;
    Announcer::instance().post(this, place, Announcements::Kind::Cell, 1, [view = QPointer<BoardView>(this), place] {
        BoardViewAccessible* table = view ? view->accessible() : nullptr;
        if (QAccessibleInterface* cell = table ? table->cell(place) : nullptr) {
            QAccessibleEvent event(cell, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    });
}

void BoardView::announceFocus()
{
    if (!accessible() || !hasFocus())
        return;
    // Unfocused, focused and the focus itself: three signals. Whichever tile has the
    // frame when it goes is the one announced.
    Announcer::instance().post(this, -1, Announcements::Kind::Focus, 3, [view = QPointer<BoardView>(this)] {
        BoardViewAccessible* table = view ? view->accessible() : nullptr;
        if (!table || !view->hasFocus() || !view->isShown(view->m_focus))
            return;
        QAccessibleEvent event(table->cell(view->m_focus), QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    });
}

void BoardView::announceNewBoard()
{
    BoardViewAccessible* table = accessible();
    if (!table)
        return;
    using Kind = Announcements::Kind;
    Announcer& announcer = Announcer::instance();
    announcer.forget(this, Kind::Cell);
    {
        // Read by clients that keep the table's shape; cells are places, so none goes stale.
        QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
    }
    // Clients that keep the names they have read hear each one anew, if there are few.
    if (m_board && m_board->places() <= MostCellsNamed) {
        for (int place = 0; place < m_board->places(); ++place)
            announceCell(place);
    }
    announceFocus();
}

} // namespace vantirelle
