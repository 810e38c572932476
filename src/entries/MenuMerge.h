// Completes the EntryList from the host's toggle, settings and display menus: saved entries keep
// their order, new items join next to their neighbour in the host's menu, and entries the host no
// longer offers drop out.
#pragma once

#include <cstdint>
#include <string_view>

#include "entries/EntryList.h"

namespace kirabo {

// The host's menus as the merge reads them. Positions are those in the host's menu bar.
class MenuReader {
public:
    virtual ~MenuReader() = default;
    virtual bool HasMenu(int position) = 0;
    // Asked again before every item: the menu may change while it is read.
    virtual int ItemCount(int position) = 0;
    // 0 for a separator, 0xFFFFFFFF for an item that opens a submenu.
    virtual std::uint32_t ItemId(int position, int item) = 0;
    // The caption of the item with this command id, as the host returns it, cut to at most
    // kCaptionLimit - 1 bytes; empty when there is none.
    virtual std::string_view Caption(int position, std::uint32_t id) = 0;
};

inline constexpr int kToggleMenuPosition = 1;
inline constexpr int kSettingsMenuPosition = 2;
inline constexpr int kDisplayMenuPosition = 5;
inline constexpr int kCaptionLimit = 255;  // bytes, terminator included
// "の設定" and "の表示" end the settings and display captions.
inline constexpr std::size_t kCaptionSuffixBytes = 6;

// The caption less its last 6 bytes; a shorter caption gives the empty key.
std::string_view SuffixlessKey(std::string_view caption);

// Precondition: no entry has a command id or a control yet.
void MergeHostMenus(MenuReader& menus, EntryList& entries);

}  // namespace kirabo
