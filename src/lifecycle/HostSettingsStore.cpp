#include "lifecycle/HostSettingsStore.h"

#include <cstring>

namespace kirabo {

std::int32_t HostSettingsStore::LoadInt(const char* key, std::int32_t defaultValue) {
    if (!services_ || !services_->ini_load_int) return defaultValue;
    return services_->ini_load_int(fp_, key, defaultValue);
}

void HostSettingsStore::SaveInt(const char* key, std::int32_t value) {
    if (services_ && services_->ini_save_int) services_->ini_save_int(fp_, key, value);
}

std::string HostSettingsStore::LoadString(const char* key) {
    if (!services_ || !services_->ini_load_str) return {};
    char buffer[kNameBufferBytes] = {};
    services_->ini_load_str(fp_, key, buffer, "");
    // The service is told no size; whatever it wrote, nothing past the buffer is read.
    return std::string(buffer, strnlen(buffer, sizeof buffer - 1));
}

void HostSettingsStore::SaveString(const char* key, const std::string& value) {
    if (services_ && services_->ini_save_str) services_->ini_save_str(fp_, key, value.c_str());
}

}  // namespace kirabo
