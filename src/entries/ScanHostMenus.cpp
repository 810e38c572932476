#include "entries/ScanHostMenus.h"

#include <windows.h>

#include <algorithm>

#include "entries/MenuMerge.h"

namespace kirabo {
namespace {

class HostMenuReader final : public MenuReader {
public:
    explicit HostMenuReader(HMENU menuBar) : menuBar_(menuBar) {}

    bool HasMenu(int position) override { return Menu(position) != nullptr; }

    int ItemCount(int position) override { return GetMenuItemCount(Menu(position)); }

    std::uint32_t ItemId(int position, int item) override {
        return GetMenuItemID(Menu(position), item);
    }

    std::string_view Caption(int position, std::uint32_t id) override {
        const int length = GetMenuStringA(Menu(position), id, caption_, kCaptionLimit, MF_BYCOMMAND);
        // A caption cut at the limit may come back without its terminator: trust the length.
        return std::string_view(caption_, static_cast<std::size_t>(std::clamp(length, 0, kCaptionLimit - 1)));
    }

private:
    HMENU Menu(int position) {
        if (position != position_) {
            position_ = position;
            menu_ = menuBar_ ? GetSubMenu(menuBar_, position) : nullptr;
        }
        return menu_;
    }

    HMENU menuBar_;
    HMENU menu_ = nullptr;
    int position_ = -1;
    char caption_[kCaptionLimit] = {};
};

}  // namespace

void ScanHostMenus(HMENU hostMenuBar, EntryList& entries) {
    HostMenuReader reader(hostMenuBar);
    MergeHostMenus(reader, entries);
}

}  // namespace kirabo
