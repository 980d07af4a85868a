#pragma once

// Fakes for what the game window needs from outside, and a fixture that starts a game
// window on them: scripted answers, a fixed screen, a deterministic shuffle.

#include "board/board.h"
#include "scripted_random.h"
#include "window/boardview.h"
#include "window/gamewindow.h"
#include "window/prompts.h"
#include "window/services.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace vantirelle::testing {

class FakePrompts : public Prompts {
public:
    struct Message {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    std::vector<Message> messages;
    std::deque<QMessageBox::StandardButton> answers; // Ok when the script runs out
    int beeps = 0;

    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons) override
    {
        messages.push_back({icon, text, buttons});
        if (answers.empty())
            return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }
};

class FakeScreen : public ScreenSource {
public:
    QSize pixels{1024, 768};
    double dpi = 96;
    QSize sizePixels() const override { return pixels; }
    QRect availableGeometry() const override { return QRect(QPoint(0, 0), pixels - QSize(0, 40)); }
    double logicalDpiX() const override { return dpi; }
    double logicalDpiY() const override { return dpi; }
    bool placesWindows() const override { return windowsPlaceThemselves; }
    bool windowsPlaceThemselves = true;
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

class FakeClipboard : public Clipboard {
public:
    std::optional<QString> held; // nothing: an image, or nothing at all
    std::optional<QString> text() const override { return held; }
    void setText(const QString& text) override { held = text; }
};

struct GameWindowFixture : ::testing::Test {
    FakePrompts prompts;
    FakeScreen screen;
    ScriptedRandom random;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    std::int64_t clockMs = 1'000'000; // the statistics' clock, moved on by hand
    int aboutShown = 0;
    std::unique_ptr<GameWindow> window;

    void start()
    {
        window.reset();
        GameServices services;
        services.prompts = &prompts;
        services.screen = &screen;
        services.random = &random;
        services.dialogs = &dialogs;
        services.clipboard = &clipboard;
        services.clock = [this] { return clockMs; };
        services.showAbout = [this] { ++aboutShown; };
        window = std::make_unique<GameWindow>(services);
        window->show();
    }

    void SetUp() override { start(); }

    template <typename T = QWidget>
    T* child(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* action(const char* name) const { return child<QAction>(name); }

    BoardView& view() const { return *window->boardView(); }
    const Board& board() const { return window->board(); }

    // Puts a board with the given captions ("" for a blank) in play.
    void arrange(const std::vector<std::string>& captions, int moves = 0)
    {
        int side = 1;
        while (side * side < static_cast<int>(captions.size()))
            ++side;
        window->playOpenedGame(Board(side, static_cast<int>(captions.size()) / side, captions, moves));
    }

    std::vector<std::string> captions() const { return board().captions(); }

    void clickTile(int place)
    {
        QTest::mouseClick(&view(), Qt::LeftButton, Qt::NoModifier, view().tileRect(place).center());
    }

    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::vector<bool> checks() const
    {
        std::vector<bool> out;
        for (int item = 0; item < GameWindow::SizeItems; ++item)
            out.push_back(action(("size" + std::to_string(item)).c_str())->isChecked());
        return out;
    }
};

} // namespace vantirelle::testing
