#include "about/platform.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

namespace vantirelle {

namespace {

constexpr Registry::Key SysInfoKey = 1;

} // namespace

QStringList SearchPathRegistry::knownTools()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter")};
}

long SearchPathRegistry::openKey(Key root, const std::string& path, std::uint32_t, std::uint32_t, Key& key)
{
    key = 0;
    if (root != Reg::LocalMachine || path != MsInfoKey)
        return Reg::FileNotFound;
    for (const QString& tool : m_tools) {
        const QString found = QStandardPaths::findExecutable(tool);
        if (!found.isEmpty()) {
            m_found = found.toStdString();
            key = SysInfoKey;
            return 0;
        }
    }
    return Reg::FileNotFound;
}

long SearchPathRegistry::queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* buffer,
                                    std::uint32_t& size)
{
    if (key != SysInfoKey || name != MsInfoPathValue)
        return Reg::FileNotFound;
    const std::uint32_t needed = static_cast<std::uint32_t>(m_found.size()) + 1; // with its terminating zero
    if (needed > size) {
        size = needed;
        return Reg::MoreData;
    }
    std::memcpy(buffer, m_found.c_str(), needed);
    type = Reg::Text;
    size = needed;
    return 0;
}

bool LocalFileSystem::isOrdinaryFile(const std::string& path) const
{
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile() && !info.isHidden();
}

bool DetachedLauncher::start(const std::string& path)
{
    if (path.empty())
        return false;
    return QProcess::startDetached(QString::fromStdString(path), {});
}

} // namespace vantirelle
