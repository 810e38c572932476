// The reorder dialog's list seen as an Arrangement: the item data it shows, and a move carried out
// on it, each item's text and check box going with its data.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "reorder/Arrangement.h"

namespace kirabo {

std::vector<std::int32_t> ItemDatas(HWND list);

void ShowArrangement(HWND list, const Arrangement& before, const Arrangement& after);

}  // namespace kirabo
