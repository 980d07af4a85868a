#pragma once

#include "board/numbertext.h"
#include "fake_host.h"
#include "window/boardview.h"
#include "window/mainwindow.h"
#include "window/services.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vantirelle::testing {

class FakeScreen : public ScreenSource {
public:
    QSize pixels{1024, 768};
    double dpi = 96;
    QSize sizePixels() const override { return pixels; }
    QRect availableGeometry() const override { return QRect(QPoint(0, 0), pixels - QSize(0, 40)); }
    double logicalDpiX() const override { return dpi; }
    double logicalDpiY() const override { return dpi; }
};

// Answers the file dialogs from a script and records how each was shown.
class FakeDialogs : public FileDialogs {
public:
    struct Shown {
        QString kind, title, start, filter;
    };
    std::deque<QString> answers; // "" cancels
    std::vector<Shown> shown;

    QString saveFileName(QWidget*, const QString& title, const QString& start, const QString& filter) override
    {
        return answer("save", title, start, filter);
    }
    QString openFileName(QWidget*, const QString& title, const QString& start, const QString& filter) override
    {
        return answer("open", title, start, filter);
    }

private:
    QString answer(const QString& kind, const QString& title, const QString& start, const QString& filter)
    {
        shown.push_back({kind, title, start, filter});
        if (answers.empty())
            return {};
        const QString next = answers.front();
        answers.pop_front();
        return next;
    }
};

// A game window on fakes: scripted answers, a fixed screen, a deterministic shuffle.
struct GameWindowFixture : ::testing::Test {
    FakePrompts prompts;
    FakeScreen screen;
    ScriptedRandom random;
    FakeDialogs dialogs;
    int aboutShown = 0;
    std::unique_ptr<frmVantirelle> window;

    void start()
    {
        GameServices services;
        services.prompts = &prompts;
        services.screen = &screen;
        services.random = &random;
        services.dialogs = &dialogs;
        services.showAbout = [this] { ++aboutShown; };
        window = std::make_unique<frmVantirelle>(services);
        window->Form_Load();
    }

    void SetUp() override { start(); }

    BoardView& view() { return *window->btnSlide; }
    Board& board() { return window->board(); }

    // Lays the given captions ("" for the blank) onto the current board.
    void arrange(const std::vector<std::string>& captions)
    {
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const auto index = static_cast<Int16>(i);
            view().setTileCaption(index, captions[i]);
            view().setTileVisible(index, !captions[i].empty());
            view().setTileBold(index, Board::standsHome(captions[i], index));
        }
    }

    std::vector<std::string> captions()
    {
        std::vector<std::string> out;
        for (int i = 0; i <= view().upperBound(); ++i)
            out.push_back(view().tile(i).caption);
        return out;
    }

    void clickTile(int index)
    {
        QTest::mouseClick(&view(), Qt::LeftButton, Qt::NoModifier, view().tileRect(index).center());
    }

    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

} // namespace vantirelle::testing
