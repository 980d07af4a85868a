#pragma once

// The Save and Open commands through the game window, on files in a folder of the test's own.
#include "gui_support.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>

namespace vantirelle::testing {

// A 3 x 3 game after 12 moves: 1 2 3 / 4 _ 6 / 7 5 8
inline const QByteArray workedExample = QByteArray::fromHex("030003000c00"
                                                            "010031010032010033"
                                                            "010034000001003601"
                                                            "0037010035010038");

struct SaveAndOpen : GameWindowFixture {
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    static QByteArray contents(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static void put(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void save(const QString& chosen)
    {
        dialogs.answers.push_back(chosen);
        window->saveGame();
    }

    void open(const QString& chosen)
    {
        dialogs.answers.push_back(chosen);
        window->openGame();
    }

    QString lastMessage() const { return prompts.messages.empty() ? QString() : prompts.messages.back().text; }

    // Everything a failed open must leave alone.
    struct Snapshot {
        std::vector<std::string> captions;
        int moves, width, height;
        QString label, frame;
        bool panel;
        std::vector<bool> checks;
        QSize client;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const
    {
        return {captions(),
                board().moves(),
                board().width(),
                board().height(),
                child<QLabel>("movesLabel")->text(),
                child<QGroupBox>("frame")->title(),
                child("customPanel")->isVisible(),
                checks(),
                window->centralWidget()->size()};
    }
};


} // namespace vantirelle::testing
