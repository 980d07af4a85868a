#pragma once

#include "board/board.h"

#include <QString>

namespace vantirelle {

// Writes the game to a file and returns an empty text, or what went wrong. An existing
// file is replaced whole and at once, so a failed save leaves it as it was; where the
// folder takes no new files but the file itself may be written, it is written over in
// place and cut to the new game's length. A link to a file is followed; a dangling
// link, a folder, a named pipe or a device is refused without being touched.
QString writeGameFile(const QString& path, const Board& board);

// The same care for any file the player saves: `what` names its content in the messages
// ("the game", "the statistics"), `kind` the files of it ("games", "statistics").
QString writeFileWithCare(const QString& path, const QByteArray& bytes, const QString& what, const QString& kind);

} // namespace vantirelle
