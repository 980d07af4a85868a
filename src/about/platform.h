#pragma once

#include "about/sysinfo.h"

#include <QStringList>

#include <memory>

namespace vantirelle {

// The system information program of the platform the game runs on: found through the
// registry on Windows, on the PATH elsewhere.
std::unique_ptr<SystemInfoFinder> platformSystemInfoFinder();

// The first of a list of programs found on the PATH.
class PathSystemInfoFinder final : public SystemInfoFinder {
public:
    // The programs looked for, in order of preference.
    static QStringList knownTools();

    explicit PathSystemInfoFinder(QStringList tools = knownTools()) : m_tools(std::move(tools)) {}
    std::optional<std::string> find() override;

private:
    QStringList m_tools;
};

// Starts the program as a process of its own; the game neither waits for it nor tracks it.
class DetachedLauncher final : public ProgramLauncher {
public:
    bool start(const std::string& path) override;
};

} // namespace vantirelle
