#include "reorder/ReorderDialog.h"

#include <commctrl.h>

#include <string>

#include "controls/ControlFacts.h"
#include "controls/InPlaceEditor.h"
#include "reorder/Arrangement.h"
#include "reorder/DialogWindow.h"
#include "reorder/ListArrangement.h"
#include "reorder/ListFind.h"
#include "reorder/ListKeys.h"
#include "reorder/ListView.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

using namespace listview;

constexpr char kNameHeader[] = "名前";
constexpr char kKindHeader[] = "種類";
constexpr char kWordsHeader[] = "検索語";
// While a drag rests in a margin, the list goes on stepping at the pace a moving mouse gets.
constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollTickMs = kScrollPauseMs;
// The tip that says why Delete kept a heading goes after this long.
constexpr UINT_PTR kTipTimer = 2;
constexpr UINT kTipShownMs = 4000;
constexpr int kInsertMarkThickness = 2;

// One opening of the dialog: its rows and size in, its outcome out, and the drag in progress. It
// lives on the stack of RunReorderDialog, so nothing of a closed dialog stays behind.
struct ReorderDialog {
    DialogList shown;
    std::optional<WindowSize> size;
    ReorderOutcome outcome;
    DialogWindow window;
    FindBoxControl find;
    HWND list = nullptr;
    bool dragging = false;
    bool releasingCapture = false;
    HIMAGELIST dragImage = nullptr;
    POINT dragPoint = {0, 0};
    DragOffset imageOffset;
    std::vector<int> selectedItems;
    AutoScroll scroll;      // the auto-scroll's pacing, from one drag to the next
    int insertAt = -1;      // the row beside which the line shows where dragged rows land; -1: none
    HWND editor = nullptr;  // over the words of the row, or the name of the heading, at editAt while edited
    int editAt = -1;
    bool editMade = false;  // the heading was just made: its name is part of that change
    bool insertBefore = false;
    HFONT headingFont = nullptr;  // the list's font in bold, for the headings
    HWND tip = nullptr;           // a balloon beside the heading Delete kept, saying why
};

ReorderDialog* StateOf(HWND dialog) { return reinterpret_cast<ReorderDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

// A mouse message's position, which may lie left of or above the dialog, in the list's client
// coordinates.
POINT ListPoint(HWND dialog, HWND list, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(dialog, list, &point, 1);
    return point;
}

POINT ImagePoint(const ReorderDialog& state) {
    return {state.dragPoint.x + state.imageOffset.x, state.dragPoint.y + state.imageOffset.y};
}

void DestroyDragImage(ReorderDialog& state) {
    if (state.dragImage) ImageList_Destroy(state.dragImage);
    state.dragImage = nullptr;
}

void ReleaseOwnCapture(ReorderDialog& state) {
    state.releasingCapture = true;
    ReleaseCapture();
    state.releasingCapture = false;
}

// Where dragged rows would land: the row under the point, and whether before it (its upper third).
struct DropTarget {
    int hit = -1;
    bool upperThird = false;
};

DropTarget TargetAt(HWND list, POINT point) {
    LVHITTESTINFO hitTest = {};
    hitTest.pt = point;
    DropTarget target;
    target.hit = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hitTest)));
    if (target.hit != -1) {
        const RECT bounds = ItemBounds(list, target.hit);
        target.upperThird = InUpperThird(point.y, bounds.top, bounds.bottom);
    }
    return target;
}

// The line between rows where the dragged rows will land, drawn over the row beside it (a list in
// report view shows no insertion mark of its own); a target of no row takes it away.
void SetInsertMark(ReorderDialog& state, DropTarget target) {
    if (target.hit == state.insertAt && target.upperThird == state.insertBefore) return;
    for (int row : {state.insertAt, target.hit}) {
        if (row >= 0) SendMessageA(state.list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
    state.insertAt = target.hit;
    state.insertBefore = target.upperThird;
}

bool HeadingAt(const ReorderDialog& state, int position) {
    const std::vector<std::int32_t>& items = state.shown.list.items;
    return position >= 0 && static_cast<std::size_t>(position) < items.size() &&
           IsHeading(items[static_cast<std::size_t>(position)]);
}

// NM_CUSTOMDRAW: the list draws every row itself, the selected ones in the highlight's colours
// whichever control holds the keyboard (the find box selects for the list, and the grey of a list
// without the keyboard is hard to tell from white); a heading in bold; the row beside the insertion
// point gets the line at its top or bottom edge after it.
LRESULT DrawList(const ReorderDialog& state, NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            const auto position = static_cast<int>(draw.nmcd.dwItemSpec);
            LRESULT result = position == state.insertAt ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
            if (draw.nmcd.uItemState & CDIS_SELECTED) {
                draw.nmcd.uItemState &= ~CDIS_SELECTED;  // else the list puts its own colours back
                draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
                draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
            }
            if (HeadingAt(state, position) && state.headingFont) {
                SelectObject(draw.nmcd.hdc, state.headingFont);
                result |= CDRF_NEWFONT;
            }
            return result;
        }
        case CDDS_ITEMPOSTPAINT: {
            const RECT row = ItemBounds(state.list, state.insertAt);
            const int top = state.insertBefore ? row.top : row.bottom - kInsertMarkThickness;
            const RECT line = {row.left, top, row.right, top + kInsertMarkThickness};
            FillRect(draw.nmcd.hdc, &line, GetSysColorBrush(COLOR_WINDOWTEXT));
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

// Ends a drag that did not end in a drop: nothing moves.
void AbandonDrag(HWND dialog, ReorderDialog& state) {
    if (!state.dragging) return;
    state.dragging = false;
    KillTimer(dialog, kAutoScrollTimer);
    SetInsertMark(state, {});
    if (GetCapture() == dialog) ReleaseOwnCapture(state);
    ImageList_DragLeave(state.list);
    ImageList_EndDrag();
    DestroyDragImage(state);
}

void AddColumn(HWND list, int index, const char* header, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(header);
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// One row a line, its name and its kind, and a check box: checked, the row is shown in the palette.
// The list asks for them as it draws them.
void FillList(HWND dialog, ReorderDialog& state) {
    HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
    state.list = list;
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    SendMessageA(list, LVM_SETCALLBACKMASK, kListCallbackMask, 0);  // the check boxes are the dialog's
    LOGFONTA face = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)), sizeof face, &face);
    face.lfWeight = FW_BOLD;
    state.headingFont = CreateFontIndirectA(&face);
    AddColumn(list, 0, kNameHeader, kKindColumnWidth);              // FitColumns gives it the rest
    AddColumn(list, 1, kKindHeader, kKindColumnWidth);
    AddColumn(list, kWordsColumn, kWordsHeader, kWordsColumnWidth);
    const std::size_t count = state.shown.list.items.size();
    SendMessageA(list, LVM_SETITEMCOUNT, count, 0);
    FitColumns(list);  // once the rows are in: a vertical bar takes its room
    AttachListKeys(list, state.shown);
    // The keyboard starts in the list, on the first item, nothing selected: Ctrl+A, Space works at
    // once, and Tab still reaches OK.
    if (count > 0) SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    SetFocus(list);
}

void EndEdit(ReorderDialog& state, bool keep) {
    HWND editor = state.editor;
    if (!editor) return;
    state.editor = nullptr;
    if (keep) {
        char text[kWordsBytes] = {};
        GetWindowTextA(editor, text, sizeof text);
        const Selection now{SelectedRows(state.list), FocusedItem(state.list)};
        if (!HeadingAt(state, state.editAt)) {
            ApplyWords(state.shown, state.editAt, text, now);
        } else if (ApplyChange(state.shown, RenameGroup(state.shown.list, state.editAt, text), now) && state.editMade) {
            state.shown.undo.pop_back();  // the name is part of the step that made the heading
        }
        SendMessageA(state.list, LVM_REDRAWITEMS, static_cast<WPARAM>(state.editAt), state.editAt);
    }
    if (GetFocus() == editor) SetFocus(state.list);
    DestroyWindow(editor);
}

// The row's words, or the heading's name, in an edit box over their column, all selected.
void EditInPlace(HWND dialog, ReorderDialog& state, int position, bool made = false) {
    EndEdit(state, true);
    if (position < 0 || static_cast<std::size_t>(position) >= state.shown.list.items.size()) return;
    SendMessageA(state.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
    const std::int32_t item = state.shown.list.items[static_cast<std::size_t>(position)];
    const bool heading = IsHeading(item);
    RECT cell = {LVIR_LABEL, heading ? 0 : kWordsColumn, 0, 0};
    SendMessageA(state.list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell));
    const char* text = "";
    if (heading && HeadingIndex(item) < state.shown.list.headings.size()) {
        text = state.shown.list.headings[HeadingIndex(item)].c_str();
    } else if (!heading && static_cast<std::size_t>(item) < state.shown.rows.size()) {
        text = state.shown.rows[static_cast<std::size_t>(item)].words.c_str();
    }
    state.editAt = position;
    state.editMade = made;
    OpenInPlaceEditor(state.editor, state.list, dialog, RectOf(cell), text,
                      reinterpret_cast<HFONT>(SendMessageA(state.list, WM_GETFONT, 0, 0)),
                      heading ? kGroupNameBytes : kWordsBytes - 1);
}

// The balloon's one tool, the list.
TOOLINFOA TipTool(HWND dialog, const ReorderDialog& state) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(state.list);
    tool.lpszText = const_cast<char*>(kFirstHeadingKept);
    return tool;
}

// Delete kept the heading at `position`: a beep, and why in a balloon pointing at its name, until
// the timer takes it away.
void SayWhyKept(HWND dialog, ReorderDialog& state, int position) {
    MessageBeep(MB_ICONWARNING);
    TOOLINFOA tool = TipTool(dialog, state);
    if (!state.tip) {
        state.tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                    nullptr, nullptr);
        SendMessageA(state.tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (!state.tip) return;
    SendMessageA(state.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
    const RECT item = ItemBounds(state.list, position);
    POINT point = {item.left + (item.bottom - item.top), item.bottom};
    ClientToScreen(state.list, &point);
    SendMessageA(state.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(point.x, point.y));
    SendMessageA(state.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(dialog, kTipTimer, kTipShownMs, nullptr);
}

// Ctrl+G or the button: a heading before the focused row, its name open for editing.
void MakeGroupHere(HWND dialog, ReorderDialog& state) {
    EndEdit(state, true);
    ListUpdate update = MakeGroup(state.shown.list, FocusedItem(state.list));
    const int heading = update.focused;
    ShowChange(state.list, state.shown, SelectedRows(state.list), std::move(update));
    EditInPlace(dialog, state, heading, true);
}

void Close(HWND dialog, ReorderDialog& state) {
    AbandonDrag(dialog, state);
    DestroyDragImage(state);
    state.outcome.size = SizeToKeep(dialog, state.window);
    state.list = nullptr;
    EndDialog(dialog, 1);
}

void BeginDrag(HWND dialog, ReorderDialog& state, const NMLISTVIEW& notification) {
    HWND list = state.list;
    state.dragPoint = notification.ptAction;
    if (notification.iItem == -1) return;
    POINT unused = {};
    state.dragImage = reinterpret_cast<HIMAGELIST>(SendMessageA(
        list, LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(notification.iItem), reinterpret_cast<LPARAM>(&unused)));
    if (!state.dragImage) {
        state.dragging = false;
        return;
    }
    const RECT bounds = ItemBounds(list, notification.iItem);
    state.imageOffset = DragImageOffset(bounds.bottom - bounds.top);
    ImageList_BeginDrag(state.dragImage, 0, 0, 0);
    const POINT image = ImagePoint(state);
    ImageList_DragEnter(list, image.x, image.y);
    state.selectedItems = SelectedRows(list);
    SetCapture(dialog);
    state.dragging = true;
    SetTimer(dialog, kAutoScrollTimer, kAutoScrollTickMs, nullptr);
}

// A step of the auto-scroll when the drag point lies in the list's top or bottom margin and the
// last step is long enough ago: on every mouse move, and on every tick while the mouse rests.
void AutoScrollStep(ReorderDialog& state) {
    HWND list = state.list;
    RECT client = {};
    GetClientRect(list, &client);
    const int page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    state.scroll = DecideAutoScroll(state.dragPoint.y, client.top, client.bottom, page, state.scroll, GetTickCount());
    if (state.scroll.step == 0 || ItemCount(list) == 0) return;
    const RECT item = ItemBounds(list, 0);
    ImageList_DragLeave(list);
    SendMessageA(list, LVM_SCROLL, 0, static_cast<LPARAM>(state.scroll.step) * (item.bottom - item.top));
    UpdateWindow(list);  // the rows scrolled in are painted before the drag image takes what lies under it
    const POINT image = ImagePoint(state);
    ImageList_DragEnter(list, image.x, image.y);
}

void MoveDrag(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    state.dragPoint = ListPoint(dialog, state.list, lParam);
    AutoScrollStep(state);
    ImageList_DragShowNolock(FALSE);
    SetInsertMark(state, TargetAt(state.list, state.dragPoint));
    UpdateWindow(state.list);
    ImageList_DragShowNolock(TRUE);
    const POINT image = ImagePoint(state);
    ImageList_DragMove(image.x, image.y);
}

void Drop(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    HWND list = state.list;
    KillTimer(dialog, kAutoScrollTimer);
    ReleaseOwnCapture(state);
    ImageList_DragLeave(list);
    ImageList_EndDrag();
    SetInsertMark(state, {});
    state.dragPoint = ListPoint(dialog, list, lParam);
    const DropTarget target = TargetAt(list, state.dragPoint);
    if (target.hit != -1) {
        const Move drop{MoveKind::Drop, DropAnchor(target.hit, target.upperThird, state.selectedItems)};
        ShowChange(list, state.shown, SelectedRows(list),
                   UpdateForMove(state.shown.list, state.selectedItems, -1, drop));
    }
    DestroyDragImage(state);
    state.dragging = false;
}

INT_PTR OnCommand(HWND dialog, ReorderDialog& state, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
            EndEdit(state, true);
            state.outcome.result = CommitList(state.shown.list, state.shown.rows.size());
            for (const ReorderRow& row : state.shown.rows) {
                if (state.outcome.result) state.outcome.result->words.push_back(row.words);
            }
            Close(dialog, state);
            return TRUE;
        case IDCANCEL:
            // Esc during a drag ends the drag where it started; the dialog and its changes stay.
            if (state.dragging) {
                AbandonDrag(dialog, state);
                return TRUE;
            }
            Close(dialog, state);
            return TRUE;
        case KIRABO_REORDER_GROUP:
            MakeGroupHere(dialog, state);
            return TRUE;
        case KIRABO_REORDER_FIND:
            if (HIWORD(wParam) == EN_CHANGE && state.find.OnChange())
                SelectMatches(state.list, state.find, state.shown);
            return TRUE;
        default:
            return FALSE;
    }
}

// The letters of LVN_ODFINDITEM, which Wine's list sends in its wide form to any dialog; nothing for a
// find by anything else.
std::string FindItemText(const NMHDR& header) {
    if (header.code == static_cast<UINT>(LVN_ODFINDITEMA)) {
        const LVFINDINFOA& find = reinterpret_cast<const NMLVFINDITEMA&>(header).lvfi;
        return (find.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.psz ? find.psz : "";
    }
    const LVFINDINFOW& find = reinterpret_cast<const NMLVFINDITEMW&>(header).lvfi;
    char text[2 * MAX_PATH] = {};  // the list keeps at most MAX_PATH characters typed
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.psz) {
        WideCharToMultiByte(CP_ACP, 0, find.psz, -1, text, sizeof text - 1, nullptr, nullptr);
    }
    return text;
}

INT_PTR OnNotify(HWND dialog, ReorderDialog& state, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam != KIRABO_REORDER_LIST || !header) return TRUE;
    if (header->code == static_cast<UINT>(LVN_BEGINDRAG) && !state.dragging) {
        BeginDrag(dialog, state, *reinterpret_cast<const NMLISTVIEW*>(lParam));
    }
    if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, DrawList(state, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
    }
    if (header->code == static_cast<UINT>(NM_DBLCLK)) {  // on a row's name: its words; on a heading: its name
        const auto& click = *reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        if (click.iSubItem == 0) EditInPlace(dialog, state, click.iItem);
    }
    if (header->code == static_cast<UINT>(LVN_GETDISPINFOA)) {
        AnswerDisplayInfo(state.shown, *reinterpret_cast<NMLVDISPINFOA*>(lParam));
    }
    if (header->code == static_cast<UINT>(LVN_ODFINDITEMA) || header->code == static_cast<UINT>(LVN_ODFINDITEMW)) {
        // The list's own find as the user types the first letters of a name.
        const int start = reinterpret_cast<const NMLVFINDITEMA*>(lParam)->iStart;
        const int found = FindByBeginning(state.shown.rows, state.shown.list.items, FindItemText(*header), start);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, found);
    }
    return TRUE;
}

// Only a capture taken by another window abandons the drag; the dialog's own release does not.
INT_PTR OnCaptureChanged(HWND dialog, ReorderDialog& state, LPARAM lParam) {
    if (state.dragging && !state.releasingCapture && reinterpret_cast<HWND>(lParam) != dialog) {
        AbandonDrag(dialog, state);
    }
    return FALSE;
}

}  // namespace

ReorderOutcome RunReorderDialog(HINSTANCE instance, HWND owner, std::vector<ReorderRow> rows,
                                const std::vector<Group>& groups, std::optional<WindowSize> size) {
    ReorderDialog state;
    state.shown.list = OpenList(rows, groups);
    state.shown.rows = std::move(rows);
    state.size = size;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(KIRABO_DIALOG_REORDER), owner, ReorderDialogProc,
                    reinterpret_cast<LPARAM>(&state));
    if (state.headingFont) DeleteObject(state.headingFont);  // the dialog, which drew with it, is gone
    return std::move(state.outcome);
}

INT_PTR CALLBACK ReorderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        try {
            auto& state = *reinterpret_cast<ReorderDialog*>(lParam);
            FillList(dialog, state);
            AddListFind(dialog, state.find);
            AttachDialogKeys(dialog, state.find.box());
            FrameDialog(dialog, state.window, state.find, state.size);
        } catch (...) {
            EndDialog(dialog, 1);  // out of memory: the dialog closes as if cancelled
        }
        return FALSE;
    }
    ReorderDialog* state = StateOf(dialog);
    if (!state) return FALSE;  // before WM_INITDIALOG
    try {
        switch (message) {
            case WM_COMMAND:
                return OnCommand(dialog, *state, wParam);
            case WM_NOTIFY:
                return OnNotify(dialog, *state, wParam, lParam);
            case WM_MOUSEMOVE:
                if (state->dragging) MoveDrag(dialog, *state, lParam);
                return TRUE;
            case WM_LBUTTONUP:
                if (state->dragging) Drop(dialog, *state, lParam);
                return TRUE;
            case WM_CAPTURECHANGED:
                return OnCaptureChanged(dialog, *state, lParam);
            case WM_TIMER:
                if (wParam == kAutoScrollTimer && state->dragging) AutoScrollStep(*state);
                if (wParam == kTipTimer) {
                    KillTimer(dialog, kTipTimer);
                    TOOLINFOA tool = TipTool(dialog, *state);
                    SendMessageA(state->tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
                }
                return TRUE;
            case WM_SIZE:
                ResizeDialog(dialog, state->window, state->find);
                return TRUE;
            case kMessageFindText:
                SelectMatches(state->list, state->find, state->shown);
                return TRUE;
            case kMessageHeadingKept:
                SayWhyKept(dialog, *state, static_cast<int>(wParam));
                return TRUE;
            case kMessageEditInPlace:
                EditInPlace(dialog, *state, static_cast<int>(wParam));
                return TRUE;
            case kMessageEndEdit:
                EndEdit(*state, wParam != 0);
                return TRUE;
            case kMessageFindKey:
                OnListFindKey(state->list, state->find, state->shown, wParam, (lParam & kFindKeyShift) != 0);
                return TRUE;
            case WM_GETMINMAXINFO:
                LimitDialogSize(state->window, *reinterpret_cast<MINMAXINFO*>(lParam));
                return TRUE;
            default:
                return FALSE;
        }
    } catch (...) {
        // Out of memory: the list stays as it was shown; the palette changes only at OK.
        return TRUE;
    }
}

}  // namespace kirabo
