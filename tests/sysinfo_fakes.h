#pragma once

// In-memory stand-ins for the registry, the file system and the program launcher.

#include "about/sysinfo.h"

#include <cstring>
#include <map>
#include <set>
#include <vector>

namespace vantirelle::testing {

// A registry as an ordinary user sees HKEY_LOCAL_MACHINE: readable, but any request for
// a right to change it is denied.
class FakeRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type;
        std::vector<std::uint8_t> bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys; // key path under HKLM -> values
    std::map<std::string, std::string> environment;
    std::vector<std::uint32_t> accessMasks;
    std::vector<Key> closed;
    int opened = 0;

    // KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER
    static constexpr std::uint32_t WriteRights = 0x2 | 0x4 | 0x20 | 0x10000 | 0x40000 | 0x80000;

    void setText(const std::string& key, const std::string& name, const std::string& text, bool terminated = true,
                 std::uint32_t type = Reg::Text)
    {
        std::vector<std::uint8_t> bytes(text.begin(), text.end());
        if (terminated)
            bytes.push_back(0);
        keys[key][name] = {type, bytes};
    }
    void setNumber(const std::string& key, const std::string& name, std::uint32_t value)
    {
        keys[key][name] = {Reg::Number,
                           {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}};
    }

    long openKey(Key root, const std::string& path, std::uint32_t options, std::uint32_t access, Key& key) override
    {
        accessMasks.push_back(access);
        if (root != Reg::LocalMachine || options != 0 || !keys.count(path))
            return Reg::FileNotFound;
        if (access & WriteRights)
            return Reg::AccessDenied;
        m_handles.push_back(path);
        key = m_handles.size() + 100;
        ++opened;
        return 0;
    }
    long queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* buffer,
                    std::uint32_t& size) override
    {
        const auto& values = keys.at(m_handles.at(key - 101));
        const auto found = values.find(name);
        if (found == values.end())
            return Reg::FileNotFound;
        const auto needed = static_cast<std::uint32_t>(found->second.bytes.size());
        if (needed > size) {
            size = needed;
            return Reg::MoreData;
        }
        if (needed)
            std::memcpy(buffer, found->second.bytes.data(), needed);
        type = found->second.type;
        size = needed;
        return 0;
    }
    long closeKey(Key key) override
    {
        closed.push_back(key);
        return 0;
    }
    std::string expandEnvironment(const std::string& text) override
    {
        std::string out;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t open = text.find('%', at);
            const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
            if (close == std::string::npos) {
                out += text.substr(at);
                break;
            }
            const auto name = text.substr(open + 1, close - open - 1);
            const auto found = environment.find(name);
            out += text.substr(at, open - at) + (found != environment.end() ? found->second : "%" + name + "%");
            at = close + 1;
        }
        return out;
    }

private:
    std::vector<std::string> m_handles;
};

class FakeFiles : public FileSystem {
public:
    std::set<std::string> ordinary;
    bool isOrdinaryFile(const std::string& path) const override { return ordinary.count(path) > 0; }
};

class FakeLauncher : public ProgramLauncher {
public:
    std::set<std::string> startable; // paths that start; any other fails as a missing program would
    std::vector<std::string> started;
    bool start(const std::string& path) override
    {
        started.push_back(path);
        return startable.count(path) > 0;
    }
};

} // namespace vantirelle::testing
