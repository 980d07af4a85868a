#include "about/platform.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace vantirelle {

QStringList PathSystemInfoFinder::knownTools()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter")};
}

std::optional<std::string> PathSystemInfoFinder::find()
{
    for (const QString& tool : m_tools) {
        const QString found = QStandardPaths::findExecutable(tool);
        if (!found.isEmpty())
            return QFile::encodeName(found).toStdString();
    }
    return std::nullopt;
}

bool DetachedLauncher::start(const std::string& path)
{
    if (path.empty())
        return false;
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(path)), {});
}

} // namespace vantirelle
