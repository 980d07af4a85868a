#pragma once

#include "about/sysinfo.h"

namespace vantirelle {

// The registry itself, through advapi32's single-byte calls. Windows only.
class WindowsRegistry final : public Registry {
public:
    long openKey(Key root, const std::string& path, std::uint32_t options, std::uint32_t access, Key& key) override;
    long queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* buffer,
                    std::uint32_t& size) override;
    long closeKey(Key key) override;
    std::string expandEnvironment(const std::string& text) override;
};

// File attributes as Windows keeps them: hidden and system files are not ordinary.
class WindowsFileSystem final : public FileSystem {
public:
    bool isOrdinaryFile(const std::string& path) const override;
};

} // namespace vantirelle
