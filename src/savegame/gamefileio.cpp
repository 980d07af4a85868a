#include "savegame/gamefileio.h"

#include "savegame/gamefile.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

namespace vantirelle {

namespace {

// Devices and pipes are read up to this many bytes; regular files are mapped whole.
constexpr qint64 StreamReadLimit = 64 * 1024 * 1024;

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

QString writeDirect(const QString& path, const QByteArray& bytes)
{
    // A device or pipe is written in place: replacing it with a regular file would destroy it.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
}

} // namespace

QString WriteGameFile(const QString& path, Board& board)
{
    const std::vector<std::uint8_t> encoded = encodeGame(gameFromBoard(board));
    const QByteArray bytes(reinterpret_cast<const char*>(encoded.data()), static_cast<qsizetype>(encoded.size()));

    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return writeDirect(path, bytes);

    // Unbuffered, so a failing write (a full disk) is seen here and not lost in a later flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString ReadGameFile(const QString& path, Board& board)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();

    QByteArray streamed;
    std::span<const std::uint8_t> bytes;
    const QFileInfo info(path);
    uchar* mapped = nullptr;
    if (info.isFile() && file.size() > 0)
        mapped = file.map(0, file.size());
    if (mapped) {
        bytes = std::span<const std::uint8_t>(mapped, static_cast<std::size_t>(file.size()));
    } else {
        streamed = file.read(StreamReadLimit);
        if (file.error() != QFileDevice::NoError)
            return file.errorString();
        bytes = std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(streamed.constData()),
                                              static_cast<std::size_t>(streamed.size()));
    }

    DecodeResult decoded = decodeGame(bytes);
    if (mapped)
        file.unmap(mapped);
    file.close();
    if (!decoded.game)
        return fromStd(decoded.error);
    loadGame(board, *decoded.game);
    return {};
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& title, const QString& start,
                                    const QString& filter)
{
    // The dialog asks before replacing a file it was given by name.
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

QString QtFileDialogs::openFileName(QWidget* parent, const QString& title, const QString& start,
                                    const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

} // namespace vantirelle
