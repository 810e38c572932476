#include "reorder/ListFind.h"

#include <commctrl.h>

#include <string>

#include "controls/ControlFacts.h"
#include "reorder/Arrangement.h"
#include "reorder/ListArrangement.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

constexpr char kCountSuffix[] = "件";

bool OwnKey(std::uint32_t key) { return key == kKeyReturn || key == kKeyEscape; }

}  // namespace

void AddListFind(HWND dialog, FindBoxControl& find) {
    find.Create(dialog, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)),
                reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), KIRABO_REORDER_FIND,
                KIRABO_REORDER_FIND_COUNT, WS_TABSTOP, OwnKey);
}

void OnListFindKey(HWND dialog, const FindBoxControl& find, WPARAM key) {
    if (key == kKeyReturn) SetFocus(GetDlgItem(dialog, KIRABO_REORDER_LIST));
    if (key == kKeyEscape) SetWindowTextA(find.box(), "");
}

void SelectMatches(HWND list, FindBoxControl& find, const std::vector<ReorderRow>& rows) {
    const std::optional<std::string> typed = find.TakeText();
    if (!typed) return;
    const std::vector<int> found = FindInList(rows, ItemDatas(list), *typed);
    ShowUpdate(list, rows, {{}, found, found.empty() ? -1 : found.front()});
    find.ShowCount(typed->empty() ? std::string() : std::to_string(static_cast<int>(found.size())) + kCountSuffix);
}

}  // namespace kirabo
