#include "lifecycle/HostSettingsStore.h"

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
    return NameInBuffer(buffer);
}

void HostSettingsStore::SaveString(const char* key, const std::string& value) {
    if (services_ && services_->ini_save_str) services_->ini_save_str(fp_, key, value.c_str());
}

}  // namespace kirabo
