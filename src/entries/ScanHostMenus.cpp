#include "entries/ScanHostMenus.h"

#include <algorithm>

namespace kirabo {

std::string_view ScanHostMenus::Caption(int position, std::uint32_t id) {
    const int length = GetMenuStringA(Menu(position), id, caption_, kCaptionLimit, MF_BYCOMMAND);
    // A caption cut at the limit may come back without its terminator: trust the length.
    return std::string_view(caption_, static_cast<std::size_t>(std::clamp(length, 0, kCaptionLimit - 1)));
}

HMENU ScanHostMenus::Menu(int position) {
    if (position != position_) {
        position_ = position;
        menu_ = menuBar_ ? GetSubMenu(menuBar_, position) : nullptr;
    }
    return menu_;
}

}  // namespace kirabo
