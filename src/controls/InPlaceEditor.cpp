#include "controls/InPlaceEditor.h"

#include <commctrl.h>

#include "controls/ControlFacts.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

LRESULT CALLBACK EditorKeys(HWND editor, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR owner) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(editor, EditorKeys, 0);
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    if (message == WM_KILLFOCUS) PostMessageA(reinterpret_cast<HWND>(owner), kMessageEndEdit, TRUE, 0);
    if (message == WM_KEYDOWN && (wParam == kKeyReturn || wParam == kKeyEscape)) {
        PostMessageA(reinterpret_cast<HWND>(owner), kMessageEndEdit, wParam == kKeyReturn, 0);
        return 0;
    }
    if (message == WM_CHAR && (wParam == kCharReturn || wParam == kCharEscape)) return 0;  // else the editor beeps
    return DefSubclassProc(editor, message, wParam, lParam);
}

}  // namespace

void OpenInPlaceEditor(HWND& editor, HWND parent, HWND owner, const Rect& place, const char* text, HFONT font,
                       int limit) {
    editor = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, place.left, place.top,
                             place.width(), place.height(), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(KIRABO_WORDS_EDITOR)), nullptr, nullptr);
    if (!editor) return;
    SendMessageA(editor, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    SendMessageA(editor, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    SetWindowSubclass(editor, EditorKeys, 0, reinterpret_cast<DWORD_PTR>(owner));
    SetFocus(editor);
    SendMessageA(editor, EM_SETSEL, 0, -1);
}

}  // namespace kirabo
