#pragma once

#include "about/sysinfo.h"

#include <QStringList>

namespace vantirelle {

// Where there is no registry: the system information key answers with the full path
// of the first known system information program found on PATH, and the shared tools
// key with nothing, so the launcher's two lookups keep their order and meaning.
class SearchPathRegistry final : public Registry {
public:
    // The programs looked for, in order of preference.
    static QStringList knownTools();

    explicit SearchPathRegistry(QStringList tools = knownTools()) : m_tools(std::move(tools)) {}

    long openKey(Key root, const std::string& path, std::uint32_t options, std::uint32_t access, Key& key) override;
    long queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* buffer,
                    std::uint32_t& size) override;
    long closeKey(Key) override { return 0; }

private:
    QStringList m_tools;
    std::string m_found;
};

class LocalFileSystem final : public FileSystem {
public:
    bool isOrdinaryFile(const std::string& path) const override;
};

// Starts the program as a process of its own; the game neither waits for it nor tracks it.
class DetachedLauncher final : public ProgramLauncher {
public:
    bool start(const std::string& path) override;
};

} // namespace vantirelle
