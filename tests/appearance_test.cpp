// What players see: legible captions in light and dark palettes, layouts that hold at
// larger desktop fonts, and a sharp icon.
#include "about/aboutdialog.h"
#include "gui_support.h"
#include "sysinfo_fakes.h"
#include "window/boardframe.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>

#include <cmath>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

double luminance(QColor colour)
{
    auto channel = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the text drawn in an area: its most common colour is the background,
// and the pixel that stands out most from it is the core of a glyph.
double textContrast(const QImage& image, const QRect& logical)
{
    // The image has the screen's pixels; the area is given in the widget's.
    const qreal ratio = image.devicePixelRatio();
    const QRect area(QPoint(qRound(logical.left() * ratio), qRound(logical.top() * ratio)),
                     QPoint(qRound((logical.right() + 1) * ratio) - 1, qRound((logical.bottom() + 1) * ratio) - 1));
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QColor background(
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first);
    double best = 1.0;
    for (const auto& [pixel, count] : counts)
        best = std::max(best, contrast(QColor(pixel), background));
    return best;
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    dark.setColor(QPalette::ButtonText, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::Light, QColor(0x55, 0x55, 0x55));
    dark.setColor(QPalette::Mid, QColor(0x40, 0x40, 0x40));
    dark.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    return dark;
}

struct Appearance : GameWindowFixture {
    QPalette original;
    QFont originalFont;
    void SetUp() override
    {
        original = QApplication::palette();
        originalFont = QApplication::font();
        GameWindowFixture::SetUp();
    }
    void TearDown() override
    {
        window.reset();
        QApplication::setPalette(original);
        QApplication::setFont(originalFont);
    }

    // Inside a tile, clear of its edge and its focus frame.
    QRect captionArea(int place) const { return view().tileRect(place).adjusted(8, 10, -8, -10); }
};

} // namespace

TEST_F(Appearance, TileCaptionsAndLabelsStayLegibleInLightAndDarkPalettes)
{
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? darkPalette() : original);
        start();
        arrange({"8", "88", "888", "4", "5", "6", "7", "", "3"});
        view().finishGlide();
        const QImage board = view().grab().toImage();
        for (const int place : {0, 1, 2}) {
            const double ratio = textContrast(board, captionArea(place));
            std::printf("%s palette, tile \"%s\": %.1f:1\n", dark ? "dark" : "light",
                        board.isNull() ? "" : this->board().caption(place).c_str(), ratio);
            EXPECT_GE(ratio, 4.5) << (dark ? "dark" : "light") << " palette, place " << place;
        }
        const QImage whole = window->grab().toImage();
        QLabel* label = child<QLabel>("movesLabel");
        const QRect labelArea(label->mapTo(window.get(), QPoint(0, 0)), label->size());
        const double labelRatio = textContrast(whole, labelArea);
        std::printf("%s palette, moves label: %.1f:1\n", dark ? "dark" : "light", labelRatio);
        EXPECT_GE(labelRatio, 4.5);
        auto* frame = child<BoardFrame>("frame");
        const QRect titleArea(frame->mapTo(window.get(), frame->titleRect().topLeft()), frame->titleRect().size());
        EXPECT_GE(textContrast(whole, titleArea), 4.5) << "the frame's caption";
    }
}

TEST_F(Appearance, TheAboutDialogsTextsFollowThePalette)
{
    FakeLauncher launcher;
    FakePrompts aboutPrompts;
    class NoFinder : public SystemInfoFinder {
        std::optional<std::string> find() override { return std::nullopt; }
    } finder;
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? darkPalette() : original);
        AboutDialog dialog({&finder, &launcher, &aboutPrompts});
        dialog.show();
        const QImage image = dialog.grab().toImage();
        for (const char* name : {"title", "version", "description", "disclaimer"}) {
            auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
            ASSERT_NE(label, nullptr);
            const double ratio = textContrast(image, label->geometry());
            std::printf("%s palette, About %s: %.1f:1\n", dark ? "dark" : "light", name, ratio);
            EXPECT_GE(ratio, 4.5) << (dark ? "dark " : "light ") << name;
        }
    }
}

TEST_F(Appearance, NothingClipsOrOverlapsAtLargerDesktopFonts)
{
    for (const qreal points : {9.0, 11.0, 12.0, 14.0}) {
        QFont font = originalFont;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        for (const auto& [width, height] : {std::pair{3, 3}, std::pair{4, 3}, std::pair{8, 8}}) {
            start();
            window->newGame(width, height);
            const std::string at = std::to_string(points) + " pt, " + std::to_string(width) + "x" + std::to_string(height);
            auto* frame = child<BoardFrame>("frame");
            const QRect tiles = view().tileRect(0);
            EXPECT_LT(frame->titleRect().bottom(), tiles.top()) << at << ": the caption reaches the tiles";
            EXPECT_LT(frame->titleRect().right(), frame->width()) << at;
            EXPECT_LT(frame->frameRect().top(), tiles.top()) << at << ": the frame's line runs through the tiles";

            QLabel* label = child<QLabel>("movesLabel");
            const QRect client = window->centralWidget()->rect();
            label->setText(QString::fromUtf8("You have made 32767 Moves."));
            label->adjustSize();
            EXPECT_LE(label->width(), client.width()) << at << ": the longest count runs past the window";
            EXPECT_GE(label->y(), frame->geometry().bottom()) << at;
            EXPECT_LE(label->geometry().bottom(), client.bottom()) << at;
        }
        // the custom panel's texts stay inside their controls
        for (const char* name : {"customWidthLabel", "customHeightLabel"}) {
            auto* text = child<QLabel>(name);
            text->setText(text->text().replace("3", "682"));
            EXPECT_LE(text->sizeHint().width(), text->width()) << points << " pt: " << name;
        }
        auto* button = child<QPushButton>("newCustomGame");
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), contents.width()) << points;
    }
}

TEST_F(Appearance, LongBoldCaptionsKeepAMarginInsideTheirTiles)
{
    for (const char* caption : {"32766", "9999", "10000"}) {
        const QFont font = view().captionFont(QString::fromLatin1(caption), true);
        const int width = QFontMetrics(font).horizontalAdvance(QString::fromLatin1(caption));
        EXPECT_LE(width, 48 - 2 * 4) << caption;
    }
    EXPECT_EQ(view().captionFont("12", true).pointSizeF(), 9.75) << "short captions keep the tile font";
}

TEST_F(Appearance, TheIconIsDrawnForEverySizeUpToTwoHundredFiftySix)
{
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 64, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
        EXPECT_EQ(pixmap.size(), QSize(size, size)) << size;
        // drawn at that size, not a smaller picture enlarged
        const QList<QSize> sizes = icon.availableSizes();
        EXPECT_TRUE(sizes.isEmpty() || std::any_of(sizes.begin(), sizes.end(), [&](QSize s) { return s.width() >= size; }))
            << size;
    }
}
