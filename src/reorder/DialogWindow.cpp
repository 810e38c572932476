#include "reorder/DialogWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

Rect ChildRect(HWND dialog, int id) {
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return RectOf(r);
}

void PlaceChild(HWND dialog, int id, const Rect& r) {
    SetWindowPos(GetDlgItem(dialog, id), nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void FitColumns(HWND list) {
    RECT client = {};
    GetClientRect(list, &client);
    const int others = kKindColumnWidth + kWordsColumnWidth;
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, std::max<LPARAM>(client.right - others, kKindColumnWidth));
}

void FrameDialog(HWND dialog, DialogWindow& state, FindBoxControl& find, std::optional<WindowSize> stored) {
    RECT client = {}, frame = {};
    GetClientRect(dialog, &client);
    state.openedClient = {client.right, client.bottom};
    state.opened = {
        ChildRect(dialog, KIRABO_REORDER_LIST), ChildRect(dialog, IDOK), ChildRect(dialog, IDCANCEL), {}, {},
        ChildRect(dialog, KIRABO_REORDER_GROUP)};
    AddFindBar(state.opened, ChildRect(dialog, KIRABO_REORDER_FIND_LABEL));
    SetWindowLongA(dialog, GWL_STYLE, GetWindowLongA(dialog, GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX);
    // The same client area in the sizable frame.
    AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    state.smallest = {client.right - client.left, client.bottom - client.top};
    GetWindowRect(dialog, &frame);
    const Rect opened{frame.left, frame.top, frame.left + state.smallest.width, frame.top + state.smallest.height};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    // The window that shows every row: the list grown by the rows it cannot show yet.
    HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    const int shown = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    RECT item = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const long long allRows =
        state.smallest.height + static_cast<long long>(std::max(rows - shown, 0)) * (item.bottom - item.top);
    const Rect placed =
        PlaceDialog(opened, stored, static_cast<int>(std::min<long long>(allRows, 1 << 20)), RectOf(monitor.rcWork));
    state.sizing = true;
    SetWindowPos(dialog, nullptr, placed.left, placed.top, placed.width(), placed.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT placedClient = {};
    GetClientRect(dialog, &placedClient);
    state.placedClient = {placedClient.right, placedClient.bottom};
    ResizeDialog(dialog, state, find);  // the controls made at run time take their places too
}

void ResizeDialog(HWND dialog, DialogWindow& state, FindBoxControl& find) {
    if (!state.sizing) return;
    RECT client = {};
    GetClientRect(dialog, &client);
    // Any size other than the one the dialog opened at is the user's.
    if (state.placedClient.width > 0 && WindowSize{client.right, client.bottom} != state.placedClient) {
        state.sizedByUser = true;
    }
    const DialogControls controls = ResizeControls(state.opened, state.openedClient, {client.right, client.bottom});
    PlaceChild(dialog, KIRABO_REORDER_LIST, controls.list);
    PlaceChild(dialog, IDOK, controls.ok);
    PlaceChild(dialog, IDCANCEL, controls.cancel);
    PlaceChild(dialog, KIRABO_REORDER_GROUP, controls.group);
    find.Place(controls.find, controls.count);
    FitColumns(GetDlgItem(dialog, KIRABO_REORDER_LIST));
    InvalidateRect(dialog, nullptr, TRUE);
}

std::optional<WindowSize> SizeToKeep(HWND dialog, const DialogWindow& state) {
    if (!state.sizedByUser) return std::nullopt;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(dialog, &placement);
    const RECT& normal = placement.rcNormalPosition;
    return WindowSize{normal.right - normal.left, normal.bottom - normal.top};
}

void LimitDialogSize(const DialogWindow& state, MINMAXINFO& limits) {
    if (state.sizing) limits.ptMinTrackSize = {state.smallest.width, state.smallest.height};
}

}  // namespace kirabo
