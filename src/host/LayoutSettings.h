// The three layout settings, as every part of the plug-in reads and changes them.
#pragma once

#include <cstdint>

namespace kirabo {

struct LayoutSettings {
    std::int32_t columnCount = 2;
    std::int32_t tabMode = 0;
    std::int32_t selectedColumn = 0;
};

}  // namespace kirabo
