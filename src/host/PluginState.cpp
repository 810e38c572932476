#include "host/PluginState.h"

namespace kirabo {

PluginState g_plugin;

}  // namespace kirabo
