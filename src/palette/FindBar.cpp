// The find box on the palette: an edit control across the top of the client area with the count of
// its matches beside it, and a mark behind the marked row. Its keys go to the palette's window as
// kMessageFindKey; what they mean is PaletteCore's.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "palette/Palette.h"

namespace kirabo {
namespace {

constexpr DWORD kFindBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kCountStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_RIGHT;
// Clipped by its siblings: the marked row's controls stand above it, and only its rim shows.
constexpr DWORD kMarkStyle = WS_CHILD | WS_CLIPSIBLINGS | SS_GRAYRECT;
constexpr char kCountSuffix[] = "件";  // after the number of matches: 12件
constexpr int kMarkMargin = 2;          // the mark stands this far around the marked row

LRESULT CALLBACK FindBoxKeys(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(box, FindBoxKeys, 0);
    if (message == WM_KEYDOWN) {
        if (const std::optional<FindKey> key = FindKeyOf(static_cast<std::uint32_t>(wParam), GetKeyState(VK_SHIFT) < 0)) {
            SendMessageA(GetParent(box), kMessageFindKey, static_cast<WPARAM>(*key), 0);
            return 0;
        }
    }
    // Enter and Esc were handled at the key: the edit control would only beep at them.
    if (message == WM_CHAR && (wParam == kKeyReturn || wParam == kKeyEscape)) return 0;
    return DefSubclassProc(box, message, wParam, lParam);
}

HWND CreateChild(const Palette& palette, host::FilterRecord* fp, const char* windowClass, DWORD style, int id) {
    HWND child = CreateWindowExA(0, windowClass, "", style, 0, 0, 0, 0, fp->hwnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), fp->dll_hinst, nullptr);
    if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(palette.paletteFont), 0);
    return child;
}

}  // namespace

void OpenFindBar(Palette& palette, host::FilterRecord* fp) {
    palette.findBox = CreateChild(palette, fp, "EDIT", kFindBoxStyle, KIRABO_FIND_BOX);
    palette.findCount = CreateChild(palette, fp, "STATIC", kCountStyle, KIRABO_FIND_COUNT);
    palette.findMark = CreateChild(palette, fp, "STATIC", kMarkStyle, KIRABO_FIND_MARK);
    if (palette.findBox) {
        SetWindowSubclass(palette.findBox, FindBoxKeys, 0, 0);
        SetFocus(palette.findBox);
    }
}

void CloseFindBar(Palette& palette, host::FilterRecord* fp) {
    for (HWND* child : {&palette.findBox, &palette.findCount, &palette.findMark}) {
        if (*child) DestroyWindow(*child);
        *child = nullptr;
    }
    SetFocus(fp->hwnd);
}

void PlaceFindBar(const Palette& palette, host::FilterRecord* fp) {
    if (!palette.findBox) return;
    RECT client = {};
    GetClientRect(fp->hwnd, &client);
    const int countLeft = client.right - kFindBoxLeft - kFindCountWidth;
    SetWindowPos(palette.findBox, HWND_TOP, kFindBoxLeft, kFindBoxTop, countLeft - 2 * kFindBoxLeft, kFindBoxHeight, 0);
    const PaletteGeometry& geometry = palette.core.geometry();
    const std::string count = std::to_string(static_cast<int>(geometry.laidOut)) + kCountSuffix;
    SetWindowTextA(palette.findCount, count.c_str());
    SetWindowPos(palette.findCount, HWND_TOP, countLeft, kFindBoxTop, kFindCountWidth, kFindBoxHeight, 0);

    const std::optional<std::size_t> mark = palette.core.findMark();
    const RowView row = mark ? ViewOfRow(geometry, palette.core.view(), *mark) : RowView{};
    if (!row.at) {
        ShowWindow(palette.findMark, SW_HIDE);
        return;
    }
    // Behind the row's own controls, which paint over all of it but its rim.
    SetWindowPos(palette.findMark, HWND_TOP, row.at->x - kMarkMargin, row.at->y - kMarkMargin,
                 geometry.nameWidth + kButtonWidth + 2 * kMarkMargin, kControlHeight + 2 * kMarkMargin, SWP_SHOWWINDOW);
    const auto index = static_cast<std::size_t>(palette.core.entries()[geometry.entryOfLaidOut[*mark]].controlIndex);
    if (index >= palette.rows.size()) return;
    for (HWND control : {palette.rows[index].mainControl, palette.rows[index].settingsButton}) {
        if (control) SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

}  // namespace kirabo
