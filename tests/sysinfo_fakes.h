#pragma once

// In-memory stand-ins for the registry, the file system and the program launcher.

#include "about/sysinfo.h"

#include <cstring>
#include <map>
#include <set>
#include <vector>

namespace vantirelle::testing {

class FakeRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type;
        std::vector<std::uint8_t> bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys; // key path under HKLM -> values
    std::vector<std::uint32_t> accessMasks;
    std::vector<Key> closed;
    int opened = 0;

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
        const std::uint32_t needed = static_cast<std::uint32_t>(found->second.bytes.size());
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

class RecordingPrompts : public Prompts {
public:
    struct Message {
        std::string text;
        int style;
        std::string title;
    };
    std::vector<Message> messages;
    int messageBox(std::string_view text, int style, std::string_view title) override
    {
        messages.push_back({std::string(text), style, std::string(title)});
        return MsgBox::AnswerOk;
    }
    void beep() override {}
};

} // namespace vantirelle::testing
