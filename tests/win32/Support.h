// Helpers the Windows tests share: a host emulator with the real Kirabo.auf, and ways to look at
// what Windows reports about the palette.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Host.h"
#include "reorder/ListView.h"
#include "resources/ResourceIds.h"

namespace kirabo::test {

using emulator::EmptyMenus;
using emulator::Host;
using emulator::HostOptions;
using emulator::Item;
using emulator::MenuBarText;
using emulator::MenuText;
using emulator::Separator;
using emulator::Submenu;

struct Child {
    HWND hwnd = nullptr;
    std::string className;
    std::string text;  // Shift-JIS
    LONG style = 0;
    int id = 0;
    RECT rect = {};  // in the parent's client coordinates
};

// The window's client area, pixel by pixel, once every message waiting has been handled and
// everything is painted.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    bool operator==(const Capture&) const = default;
};
Capture CaptureClient(Host& host, HWND window);
// The window's client area as painted so far, nothing waiting handled, from `top` down: what the
// screen shows once Wine hands it the window's bits.
Capture PaintedClient(HWND window, int top = 0);

// The PaletteWindow's children, sorted by id so that no test depends on Windows' own order.
std::vector<Child> Children(HWND parent);
const Child* FindChild(const std::vector<Child>& children, int id);

std::string WindowText(HWND hwnd);
std::string MenuCaption(HMENU menu, UINT id);

// A host with these menus (the emulator's default ones unless given).
HostOptions TestOptions(MenuBarText menus = emulator::DefaultMenus());

// The names of the entries func_exit stored, in order.
std::vector<std::string> StoredNames(const Host& host);

// Answers the next message box of this thread with the given button.
void AnswerNextMessageBox(int button);
// The text and caption of the box last answered, and its style.
struct AnsweredBox {
    std::string text;
    std::string caption;
    LONG style = 0;
    bool seen = false;
};
const AnsweredBox& LastAnsweredBox();

// Runs `script` inside the next dialog's modal loop, once it is up; the script closes it.
void RunInNextDialog(std::function<void(HWND dialog)> script);

// The real mouse and keyboard, as the user uses them: a left click at a point of the screen, keys
// pressed and let go one after another (with `held` held: VK_SHIFT, VK_CONTROL, VK_MENU), then
// the keys `then` in the same go (a menu the first keys open takes them); every message they cause
// is handled before these return.
void ClickAt(POINT screen);
void TypeKeys(const std::vector<WORD>& keys, WORD held = 0, const std::vector<WORD>& then = {});

// The reorder dialog's list: item texts and check boxes, in list order.
struct ListItem {
    std::string text;
    bool checked = false;
    bool selected = false;
    bool operator==(const ListItem&) const = default;
};
std::vector<ListItem> ListItems(HWND list);
// A click on an item's check box, scrolled into view, when it does not show `checked` yet.
void SetCheckBox(HWND list, int item, bool checked);
void SelectItems(HWND list, const std::vector<int>& items);
// A point near the left of an item, in its upper third or below it, in the dialog's client coordinates.
POINT ItemPoint(HWND dialog, HWND list, int item, bool upperThird);
LPARAM PointParam(POINT point);
// What a list view sends when the user starts dragging item `item`, near its left edge.
void BeginDrag(HWND dialog, HWND list, int item);

}  // namespace kirabo::test
