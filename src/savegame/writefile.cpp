#include "savegame/writefile.h"

#include "savegame/gamefile.h"
#include "savegame/readfile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace vantirelle {

namespace {

// Qt words some failures of the system as "Unknown error"; errno still holds the cause.
QString failure(const QFileDevice& file, int systemError)
{
    const QString qt = file.errorString();
    if (systemError != 0 && (qt.isEmpty() || qt.contains(QLatin1String("Unknown error"), Qt::CaseInsensitive)))
        return QString::fromLocal8Bit(std::strerror(systemError)) + QLatin1Char('.');
    return qt;
}

} // namespace

QString writeGameFile(const QString& path, const Board& board)
{
    const std::vector<std::uint8_t> encoded = encodeGame(board);
    const QByteArray bytes(reinterpret_cast<const char*>(encoded.data()), static_cast<qsizetype>(encoded.size()));
    return writeFileWithCare(path, bytes, QStringLiteral("the game"), QStringLiteral("games"));
}

QString writeFileWithCare(const QString& path, const QByteArray& bytes, const QString& what, const QString& kind)
{
    const QFileInfo target(path);
    if (target.isSymLink() && !target.exists())
        return QStringLiteral("It is a link to \"%1\", which does not exist; %2 is not saved through it.")
            .arg(target.symLinkTarget(), what);
    if (target.exists() && !target.isFile()) {
        const std::string nonRegular = describeNonRegular(std::filesystem::status(target.filesystemFilePath()).type());
        return QStringLiteral("It is %1, not a file; %2 are saved only to regular files.")
            .arg(QString::fromStdString(nonRegular), kind);
    }
    // Through a link, the file it leads to is replaced and the link kept.
    const QString destination = target.isSymLink() ? target.canonicalFilePath() : path;

    QSaveFile file(destination);
    file.setDirectWriteFallback(true);
    // Unbuffered, so a failing write (a full disk) is seen here and not lost in a later flush.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(file, errno);
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const QString why = failure(file, errno);
        file.cancelWriting();
        return why;
    }
    errno = 0;
    if (!file.commit())
        return failure(file, errno);
    return {};
}

} // namespace vantirelle
