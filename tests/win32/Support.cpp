#include "Support.h"

#include <algorithm>
#include <cstdlib>

namespace kirabo::test {
namespace {

HHOOK g_boxHook = nullptr;
int g_boxAnswer = 0;
AnsweredBox g_lastBox;

LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[64] = {};
        GetClassNameA(box, className, sizeof className);
        if (std::string(className) == "#32770") {
            g_lastBox.seen = true;
            g_lastBox.caption = WindowText(box);
            g_lastBox.text = WindowText(GetDlgItem(box, 0xFFFF));
            g_lastBox.style = (GetDlgItem(box, IDYES) ? MB_YESNO : 0);
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                    GetDlgCtrlID(child) != IDYES && GetDlgCtrlID(child) != IDNO) {
                    char childClass[32] = {};
                    GetClassNameA(child, childClass, sizeof childClass);
                    if (std::string(childClass) == "Static") g_lastBox.style |= MB_ICONQUESTION;
                }
            }
            PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(g_boxAnswer), 0);
            UnhookWindowsHookEx(g_boxHook);
            g_boxHook = nullptr;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

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
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        c.className = className;
        c.text = WindowText(child);
        c.style = GetWindowLongA(child, GWL_STYLE);
        c.id = GetDlgCtrlID(child);
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&c.rect), 2);
        children.push_back(c);
    }
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.id < b.id; });
    return children;
}

const Child* FindChild(const std::vector<Child>& children, int id) {
    for (const Child& child : children) {
        if (child.id == id) return &child;
    }
    return nullptr;
}

HostOptions TestOptions(MenuBarSpec menus) {
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
