#include "reorder/ListFind.h"

#include <commctrl.h>

#include <string>

#include "controls/ControlFacts.h"
#include "controls/FindCount.h"
#include "reorder/Arrangement.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListView.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

bool OwnKey(std::uint32_t key, bool, bool) {
    return key == kKeyReturn || key == kKeyEscape || key == kKeyDown || key == kKeyUp || key == kKeyF3;
}

}  // namespace

void AddListFind(HWND dialog, FindBoxControl& find) {
    find.Create(dialog, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)),
                reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), KIRABO_REORDER_FIND,
                KIRABO_REORDER_FIND_COUNT, WS_TABSTOP, OwnKey);
}

void OnListFindKey(HWND list, FindBoxControl& find, const DialogList& shown, WPARAM key, bool shift) {
    if (key == kKeyReturn) SetFocus(list);
    if (key == kKeyEscape) SetWindowTextA(find.box(), "");
    if (key != kKeyDown && key != kKeyUp && key != kKeyF3) return;
    SelectMatches(list, find, shown);  // the keys typed before this one, when their answer still waits
    const bool forward = key == kKeyDown || (key == kKeyF3 && !shift);
    const int next =
        NextMatch(FindInList(shown.rows, shown.list.items, find.taken()), listview::FocusedItem(list), forward);
    if (next < 0) return;
    listview::SetItemState(list, next, LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(next), FALSE);
}

void SelectMatches(HWND list, FindBoxControl& find, const DialogList& shown) {
    const std::optional<std::string> typed = find.TakeText();
    if (!typed) return;
    const std::vector<int> found = FindInList(shown.rows, shown.list.items, *typed);
    ShowSelection(list, SelectedRows(list), found, found.empty() ? -1 : found.front());
    find.ShowCount(FindCountText(typed->empty() ? std::nullopt : std::optional(found.size()), 0));
}

}  // namespace kirabo
