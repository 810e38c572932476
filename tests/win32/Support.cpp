#include "Support.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace kirabo::test {
namespace {

std::string ClassName(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The window a WH_CBT hook sees activated, when it is a dialog box (a message box included).
HWND ActivatedDialog(int code, WPARAM wParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    return code == HCBT_ACTIVATE && ClassName(window) == "#32770" ? window : nullptr;
}

HHOOK g_boxHook = nullptr;
int g_boxAnswer = 0;
AnsweredBox g_lastBox;

LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
    if (HWND box = ActivatedDialog(code, wParam)) {
        g_lastBox.seen = true;
        g_lastBox.caption = WindowText(box);
        g_lastBox.text = WindowText(GetDlgItem(box, 0xFFFF));
        g_lastBox.style = (GetDlgItem(box, IDYES) ? MB_YESNO : 0);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && ClassName(child) == "Static") {
                g_lastBox.style |= MB_ICONQUESTION;
            }
        }
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(g_boxAnswer), 0);
        UnhookWindowsHookEx(g_boxHook);
        g_boxHook = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK g_dialogHook = nullptr;
std::function<void(HWND)> g_dialogScript;

void CALLBACK RunScript(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    auto script = std::move(g_dialogScript);
    g_dialogScript = nullptr;
    if (script) script(dialog);
}

LRESULT CALLBACK CatchDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (HWND dialog = ActivatedDialog(code, wParam)) {
        UnhookWindowsHookEx(g_dialogHook);
        g_dialogHook = nullptr;
        SetTimer(dialog, 1, 10, RunScript);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

namespace {

// Each message handled as the loop of the window it is for would: a dialog's keys by the dialog.
void SendAndHandle(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    for (const DWORD until = GetTickCount() + 150; GetTickCount() < until; Sleep(5)) {
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
            HWND top = GetAncestor(msg.hwnd, GA_ROOT);
            if (top && ClassName(top) == "#32770" && IsDialogMessageA(top, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

INPUT Key(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void ClickAt(POINT screen) {
    POINT was = {};
    GetCursorPos(&was);
    SetCursorPos(screen.x, screen.y);
    std::vector<INPUT> inputs(2);
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendAndHandle(inputs);
    SetCursorPos(was.x, was.y);  // the next test's drags see no mouse of this one's
}

void TypeKeys(const std::vector<WORD>& keys, WORD held, const std::vector<WORD>& then) {
    std::vector<INPUT> inputs;
    if (held) inputs.push_back(Key(held, false));
    for (WORD key : keys) inputs.insert(inputs.end(), {Key(key, false), Key(key, true)});
    if (held) inputs.push_back(Key(held, true));
    for (WORD key : then) inputs.insert(inputs.end(), {Key(key, false), Key(key, true)});
    SendAndHandle(inputs);
}

void RunInNextDialog(std::function<void(HWND dialog)> script) {
    g_dialogScript = std::move(script);
    g_dialogHook = SetWindowsHookExA(WH_CBT, CatchDialog, nullptr, GetCurrentThreadId());
}

namespace {

std::string ItemText(HWND list, int item) {
    char text[1024] = {};
    LVITEMA read = {};
    read.pszText = text;
    read.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&read));
    return text;
}

// The check box of the check-box extended style: state image 2 when checked, 1 when not.
bool IsChecked(HWND list, int item) {
    return (SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool IsSelected(HWND list, int item) {
    return SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) & LVIS_SELECTED;
}

}  // namespace

std::vector<ListItem> ListItems(HWND list) {
    std::vector<ListItem> items;
    for (int i = 0; i < listview::ItemCount(list); ++i) {
        items.push_back({ItemText(list, i), IsChecked(list, i), IsSelected(list, i)});
    }
    return items;
}

void SetCheckBox(HWND list, int item, bool checked) {
    if (IsChecked(list, item) == checked) return;
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);  // scrolled to, as a user would
    const RECT r = listview::ItemBounds(list, item);
    const LPARAM box = MAKELPARAM(r.left + 8, (r.top + r.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, box);
    SendMessageA(list, WM_LBUTTONUP, 0, box);
}

void SelectItems(HWND list, const std::vector<int>& items) {
    for (int i : items) listview::SetItemState(list, i, LVIS_SELECTED, LVIS_SELECTED);
}

POINT ItemPoint(HWND dialog, HWND list, int item, bool upperThird) {
    const RECT r = listview::ItemBounds(list, item);
    POINT p = {r.left + 4, upperThird ? r.top + 1 : r.bottom - 2};
    MapWindowPoints(list, dialog, &p, 1);
    return p;
}

LPARAM PointParam(POINT point) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(point.x)), static_cast<WORD>(static_cast<short>(point.y)));
}

void BeginDrag(HWND dialog, HWND list, int item) {
    NMLISTVIEW begin = {};
    begin.hdr = {list, KIRABO_REORDER_LIST, static_cast<UINT>(LVN_BEGINDRAG)};
    begin.iItem = item;
    POINT p = ItemPoint(dialog, list, item, false);
    MapWindowPoints(dialog, list, &p, 1);
    begin.ptAction = p;
    SendMessageA(dialog, WM_NOTIFY, KIRABO_REORDER_LIST, reinterpret_cast<LPARAM>(&begin));
}

Capture PaintedClient(HWND window, int top) {
    RECT client = {};
    GetClientRect(window, &client);
    Capture capture;
    capture.width = client.right;
    capture.height = std::max<int>(client.bottom - top, 0);
    HDC painted = GetDC(window);
    HDC memory = CreateCompatibleDC(painted);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), capture.width, -capture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(painted, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, painted, 0, top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    capture.pixels.assign(first, first + static_cast<std::size_t>(capture.width) * capture.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, painted);
    return capture;
}

Capture CaptureClient(Host& host, HWND window) {
    for (int i = 0; i < 5; ++i) {
        host.Pump();
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(40);
    }
    return PaintedClient(window);
}

std::string WindowText(HWND hwnd) {
    char text[1024] = {};
    const int length = GetWindowTextA(hwnd, text, sizeof text);
    return std::string(text, static_cast<std::size_t>(std::max(length, 0)));
}

std::string MenuCaption(HMENU menu, UINT id) {
    char text[512] = {};
    const int length = GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return std::string(text, static_cast<std::size_t>(std::max(length, 0)));
}

std::vector<Child> Children(HWND parent) {
    std::vector<Child> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Child c;
        c.hwnd = child;
        c.className = ClassName(child);
        c.text = WindowText(child);
        c.style = GetWindowLongA(child, GWL_STYLE);
        c.id = GetDlgCtrlID(child);
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&c.rect), 2);
        children.push_back(c);
    }
    // Headings share an id: among them, by place.
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
        return std::make_tuple(a.id, a.rect.left, a.rect.top) < std::make_tuple(b.id, b.rect.left, b.rect.top);
    });
    return children;
}

const Child* FindChild(const std::vector<Child>& children, int id) {
    for (const Child& child : children) {
        if (child.id == id) return &child;
    }
    return nullptr;
}

HostOptions TestOptions(MenuBarText menus) {
    HostOptions options;
    options.menus = std::move(menus);
    return options;
}

std::vector<std::string> StoredNames(const Host& host) {
    std::vector<std::string> names;
    const auto size = host.store.find("FilterSize");
    const int count = size == host.store.end() ? 0 : std::atoi(size->second.c_str());
    for (int i = 0; i < count; ++i) {
        const auto name = host.store.find("FilterName" + std::to_string(i));
        names.push_back(name == host.store.end() ? "" : name->second);
    }
    return names;
}

void AnswerNextMessageBox(int button) {
    g_boxAnswer = button;
    g_lastBox = {};
    g_boxHook = SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, GetCurrentThreadId());
}

const AnsweredBox& LastAnsweredBox() { return g_lastBox; }

}  // namespace kirabo::test
