// An in-memory host settings store for the core's tests.
#pragma once

#include <map>
#include <new>
#include <string>
#include <vector>

#include "palette/Settings.h"

namespace kirabo {

// An in-memory host store that remembers every call, and can run out of memory at a given read.
class MemoryStore final : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> calls;
    int failAtRead = 0;  // the read, counted from 1, that throws std::bad_alloc; 0: none

    std::int32_t LoadInt(const char* key, std::int32_t defaultValue) override {
        Read();
        calls.push_back(std::string("load_int ") + key);
        const auto found = values.find(key);
        return found == values.end() ? defaultValue : static_cast<std::int32_t>(std::stoll(found->second));
    }
    void SaveInt(const char* key, std::int32_t value) override {
        calls.push_back(std::string("save_int ") + key + "=" + std::to_string(value));
        values[key] = std::to_string(value);
    }
    std::string LoadString(const char* key) override {
        Read();
        calls.push_back(std::string("load_str ") + key);
        const auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    }
    void SaveString(const char* key, const std::string& value) override {
        calls.push_back(std::string("save_str ") + key + "=" + value);
        values[key] = value;
    }

private:
    void Read() {
        if (failAtRead > 0 && --failAtRead == 0) throw std::bad_alloc();
    }
};

}  // namespace kirabo
