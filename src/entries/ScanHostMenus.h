// The host-menu scan: the host's menu bar read through the calls Windows offers for another
// window's menus, for the merge.
#pragma once

#include <windows.h>

#include "entries/MenuMerge.h"

namespace kirabo {

// A menu bar of none has no menus: every walk finds nothing, and the list empties.
class ScanHostMenus final : public MenuReader {
public:
    explicit ScanHostMenus(HMENU menuBar) : menuBar_(menuBar) {}

    bool HasMenu(int position) override { return Menu(position) != nullptr; }
    int ItemCount(int position) override { return GetMenuItemCount(Menu(position)); }
    std::uint32_t ItemId(int position, int item) override { return GetMenuItemID(Menu(position), item); }
    std::string_view Caption(int position, std::uint32_t id) override;

private:
    HMENU Menu(int position);

    HMENU menuBar_;
    HMENU menu_ = nullptr;
    int position_ = -1;
    char caption_[kCaptionLimit] = {};
};

}  // namespace kirabo
