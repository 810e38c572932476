#include "reorder/ListFind.h"

#include <commctrl.h>

#include <string>

#include "reorder/Arrangement.h"
#include "reorder/KeyMeaning.h"
#include "reorder/ListArrangement.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

constexpr DWORD kFindBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kCountStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_RIGHT;
constexpr char kCountSuffix[] = "件";

std::string TextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Enter and Esc are the box's own, not the dialog's OK and Cancel.
LRESULT CALLBACK FindBoxKeys(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(box, FindBoxKeys, 0);
    const bool ownKey = wParam == kKeyReturn || wParam == kKeyEscape;
    if (message == WM_GETDLGCODE && lParam) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (msg.message == WM_KEYDOWN && (msg.wParam == kKeyReturn || msg.wParam == kKeyEscape)) {
            return DLGC_WANTALLKEYS;
        }
    }
    if (message == WM_KEYDOWN && wParam == kKeyReturn) {
        SetFocus(GetDlgItem(GetParent(box), KIRABO_REORDER_LIST));
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == kKeyEscape) {
        SetWindowTextA(box, "");
        return 0;
    }
    if (message == WM_CHAR && ownKey) return 0;
    return DefSubclassProc(box, message, wParam, lParam);
}

HWND AddChild(HWND dialog, const char* windowClass, DWORD style, int id) {
    HWND child = CreateWindowExA(0, windowClass, "", style, 0, 0, 0, 0, dialog,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (child) SendMessageA(child, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), 0);
    return child;
}

}  // namespace

void AddListFind(HWND dialog) {
    HWND box = AddChild(dialog, "EDIT", kFindBoxStyle, KIRABO_REORDER_FIND);
    if (box) SetWindowSubclass(box, FindBoxKeys, 0, 0);
    AddChild(dialog, "STATIC", kCountStyle, KIRABO_REORDER_FIND_COUNT);
}

void SelectMatches(HWND dialog, HWND list, const std::vector<ReorderRow>& rows) {
    const std::string typed = TextOf(GetDlgItem(dialog, KIRABO_REORDER_FIND));
    const std::vector<int> found = FindInList(rows, ItemDatas(list), typed);
    ShowUpdate(list, rows, {{}, found, found.empty() ? -1 : found.front()});
    const std::string count = typed.empty() ? std::string() : std::to_string(static_cast<int>(found.size())) + kCountSuffix;
    SetWindowTextA(GetDlgItem(dialog, KIRABO_REORDER_FIND_COUNT), count.c_str());
}

}  // namespace kirabo
