// An in-memory host settings store for the core's tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/Settings.h"

namespace kirabo {

// An in-memory host store that remembers every call.
class MemoryStore final : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> calls;

    std::int32_t LoadInt(const char* key, std::int32_t defaultValue) override {
        calls.push_back(std::string("load_int ") + key);
        const auto found = values.find(key);
        return found == values.end() ? defaultValue : static_cast<std::int32_t>(std::stoll(found->second));
    }
    void SaveInt(const char* key, std::int32_t value) override {
        calls.push_back(std::string("save_int ") + key + "=" + std::to_string(value));
        values[key] = std::to_string(value);
    }
    std::string LoadString(const char* key) override {
        calls.push_back(std::string("load_str ") + key);
        const auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    }
    void SaveString(const char* key, const std::string& value) override {
        calls.push_back(std::string("save_str ") + key + "=" + value);
        values[key] = value;
    }
};

}  // namespace kirabo
