// The settings store over the host's ini services.
#pragma once

#include "host/HostInterface.h"
#include "palette/Settings.h"

namespace kirabo {

class HostSettingsStore final : public SettingsStore {
public:
    explicit HostSettingsStore(host::FilterRecord* fp) : fp_(fp), services_(fp ? fp->exfunc : nullptr) {}

    std::int32_t LoadInt(const char* key, std::int32_t defaultValue) override;
    void SaveInt(const char* key, std::int32_t value) override;
    std::string LoadString(const char* key) override;
    void SaveString(const char* key, const std::string& value) override;

private:
    host::FilterRecord* fp_;
    host::HostServices* services_;
};

}  // namespace kirabo
