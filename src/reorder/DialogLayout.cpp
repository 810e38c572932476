#include "reorder/DialogLayout.h"

#include <algorithm>

namespace kirabo {
namespace {

Rect Moved(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

}  // namespace

DialogControls ResizeControls(const DialogControls& opened, WindowSize openedClient, WindowSize client) {
    const int dx = std::max(client.width - openedClient.width, 0);
    const int dy = std::max(client.height - openedClient.height, 0);
    DialogControls controls = opened;
    controls.list.right += dx;
    controls.list.bottom += dy;
    controls.ok = Moved(opened.ok, dx, dy);
    controls.cancel = Moved(opened.cancel, dx, dy);
    controls.find.right += dx;
    controls.count = Moved(opened.count, dx, 0);
    controls.group = Moved(opened.group, 0, dy);
    return controls;
}

void AddFindBar(DialogControls& controls, const Rect& label) {
    const int top = std::max(label.top - kFindGap / 2, 0);
    const int bottom = std::max(controls.list.top - kFindGap / 2, top);
    controls.count = {controls.list.right - kFindCountWidth, top, controls.list.right, bottom};
    controls.find = {label.right + kFindGap, top, std::max(controls.count.left - kFindGap, label.right + kFindGap),
                     bottom};
}

Rect PlaceDialog(const Rect& opened, std::optional<WindowSize> stored, int allRowsHeight, const Rect& workArea) {
    const WindowSize wanted = stored.value_or(WindowSize{opened.width(), allRowsHeight});
    const int width = std::max(std::min(wanted.width, workArea.width()), opened.width());
    const int height = std::max(std::min(wanted.height, workArea.height()), opened.height());
    const int left = std::max(std::min(opened.left, workArea.right - width), workArea.left);
    const int top = std::max(std::min(opened.top, workArea.bottom - height), workArea.top);
    return {left, top, left + width, top + height};
}

}  // namespace kirabo
