#include "reorder/ListArrangement.h"

#include "host/PluginState.h"
#include "reorder/ListView.h"

namespace kirabo {
namespace {

using namespace listview;

// An item's text is the name of the entry its data leads back to.
const char* EntryName(std::int32_t data) {
    const auto i = static_cast<std::size_t>(data);
    return data >= 0 && i < g_plugin.entries.count() ? g_plugin.entries[i].name.c_str() : "";
}

}  // namespace

std::vector<std::int32_t> ItemDatas(HWND list) {
    std::vector<std::int32_t> items(static_cast<std::size_t>(ItemCount(list)));
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = static_cast<std::int32_t>(ItemData(list, static_cast<int>(i)));
    }
    return items;
}

// Carries a move out: the items whose place changed take their new text, data and check box, and
// the selection becomes the one the move gives.
void ShowArrangement(HWND list, const Arrangement& before, const Arrangement& after) {
    std::vector<char> checked(g_plugin.entries.count(), 1);  // by item data
    for (std::size_t i = 0; i < before.items.size(); ++i) {
        const auto d = static_cast<std::size_t>(before.items[i]);
        if (d < checked.size()) checked[d] = IsChecked(list, static_cast<int>(i));
    }
    for (std::size_t i = 0; i < after.items.size() && i < before.items.size(); ++i) {
        const std::int32_t d = after.items[i];
        if (d == before.items[i]) continue;
        SetItem(list, static_cast<int>(i), EntryName(d), d);
        SetChecked(list, static_cast<int>(i), static_cast<std::size_t>(d) >= checked.size() || checked[static_cast<std::size_t>(d)]);
    }
    SetItemState(list, -1, LVIS_SELECTED, 0);
    for (int s : after.selected) SetItemState(list, s, LVIS_SELECTED, LVIS_SELECTED);
}

}  // namespace kirabo
