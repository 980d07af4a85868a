#pragma once

#include "board/board.h"

#include <QString>

class QWidget;

namespace vantirelle {

// Writes the game on the board to a file. The file is replaced whole and at once:
// a failed save leaves any earlier file as it was. Returns an empty text on
// success, otherwise what went wrong.
QString WriteGameFile(const QString& path, Board& board);

// Reads and checks the whole file, and only then replaces the game on the board.
// A file that fails leaves the game exactly as it was. Returns an empty text on
// success, otherwise what is wrong with the file.
QString ReadGameFile(const QString& path, Board& board);

// The platform's file dialogs. An empty result is a cancel.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
};

} // namespace vantirelle
