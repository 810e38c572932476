#include "Host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/StringBuffers.h"

namespace kirabo::emulator {
namespace {

Host* g_host = nullptr;
constexpr char kMainClass[] = "KiraboHostMain";
constexpr char kPaletteClass[] = "KiraboHostPalette";
constexpr char kToolClass[] = "KiraboHostTool";
// Posted when the main window is activated: its own windows are raised once the click is done.
constexpr UINT kRaiseOwned = WM_APP + 1;
constexpr int kEditHandle = 0x4B495241;  // an opaque "edit in progress" handed to the plug-in

using GetFilterTableProc = host::FilterRecord*(__stdcall*)();

void Record(const char* service, const char* key, std::string value) {
    g_host->calls.push_back({service, key ? key : "", std::move(value)});
}

BOOL __cdecl IsSaving(void*) {
    Record("is_saving", "", std::to_string(g_host->saving));
    return g_host->saving;
}

int __cdecl IniLoadInt(host::FilterRecord*, const char* key, int defaultValue) {
    const auto found = g_host->store.find(key);
    const int value = found == g_host->store.end() ? defaultValue
                                                   : static_cast<int>(std::strtoll(found->second.c_str(), nullptr, 10));
    Record("ini_load_int", key, std::to_string(value));
    return value;
}

int __cdecl IniSaveInt(host::FilterRecord*, const char* key, int value) {
    g_host->store[key] = std::to_string(value);
    Record("ini_save_int", key, std::to_string(value));
    return TRUE;
}

BOOL __cdecl IniLoadStr(host::FilterRecord*, const char* key, char* buffer, const char* defaultValue) {
    const auto found = g_host->store.find(key);
    const std::string value = found == g_host->store.end() ? std::string(defaultValue) : found->second;
    // The plug-in's buffer holds kNameBufferBytes, terminator included.
    const std::size_t bytes = std::min(value.size(), kNameBufferBytes - 1);
    std::memcpy(buffer, value.data(), bytes);
    buffer[bytes] = '\0';
    Record("ini_load_str", key, value.substr(0, bytes));
    return TRUE;
}

BOOL __cdecl IniSaveStr(host::FilterRecord*, const char* key, const char* value) {
    g_host->store[key] = value;
    Record("ini_save_str", key, value);
    return TRUE;
}

BOOL __cdecl AddMenuItem(void*, const char* name, HWND hwnd, int id, int defaultKey, int flags) {
    Record("add_menu_item", name, std::to_string(id));
    if (!name || !hwnd) return FALSE;
    g_host->AddPluginItem(name, hwnd, id, defaultKey, flags);
    return TRUE;
}

// Ctrl+Shift+F, Alt+T, F10: the modifiers held, then the key's name as the keyboard calls it.
std::string KeyName(WPARAM key, LPARAM lParam) {
    std::string name;
    if (GetKeyState(VK_CONTROL) < 0 && key != VK_CONTROL) name += "Ctrl+";
    if (GetKeyState(VK_MENU) < 0 && key != VK_MENU) name += "Alt+";
    if (GetKeyState(VK_SHIFT) < 0 && key != VK_SHIFT) name += "Shift+";
    if (key == VK_CONTROL) return name + "Ctrl";  // the keyboard's name, Control, would not match the rest
    char text[64] = {};
    if (GetKeyNameTextA(static_cast<LONG>(lParam), text, sizeof text) > 0) return name + text;
    char code[16] = {};
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(key));
    return name + code;
}

int HeldFlags() {
    return (GetKeyState(VK_SHIFT) < 0 ? host::kMenuItemShift : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? host::kMenuItemCtrl : 0) |
           (GetKeyState(VK_MENU) < 0 ? host::kMenuItemAlt : 0);
}

void RegisterClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASSA main = {};
    main.lpfnWndProc = DefWindowProcA;
    main.hInstance = GetModuleHandleA(nullptr);
    main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    main.lpszClassName = kToolClass;
    RegisterClassA(&main);
    main.lpszClassName = kMainClass;
    RegisterClassA(&main);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kPaletteClass;
    RegisterClassA(&main);
}

// Windows keeps a window's own windows above it; Wine without a window manager lets a click raise
// the owner over them in the X stacking though not in Windows' order, so the move to the top goes
// by way of the topmost band, which a window already first in that order would otherwise skip.
BOOL CALLBACK RaiseIfOwned(HWND window, LPARAM owner) {
    if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) && IsWindowVisible(window)) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return TRUE;
}

std::string MenuCaptionOf(HMENU bar, UINT command) {
    char caption[256] = {};
    GetMenuStringA(bar, command, caption, sizeof caption, MF_BYCOMMAND);
    return caption;
}

// Which of the host's menus holds the command, by position; -1 for none.
int MenuOfCommand(HMENU bar, UINT command) {
    for (int position : {kToggleMenu, kSettingsMenu, kDisplayMenu}) {
        HMENU menu = GetSubMenu(bar, position);
        for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
            if (GetMenuItemID(menu, i) == command) return position;
        }
    }
    return -1;
}

}  // namespace

Host::Host() { g_host = this; }

Host::~Host() {
    Stop();
    if (g_host == this) g_host = nullptr;
}

Host* Host::current() { return g_host; }

bool Host::Start(const HostOptions& options) {
    options_ = options;
    RegisterClasses();
    services_ = {};
    services_.is_saving = IsSaving;
    services_.ini_load_int = IniLoadInt;
    services_.ini_save_int = IniSaveInt;
    services_.ini_load_str = IniLoadStr;
    services_.ini_save_str = IniSaveStr;
    services_.add_menu_item = AddMenuItem;
    // Room for the plug-in's items, taken with the host: the plug-in's start takes none of the host's.
    pluginItems.reserve(4);

    const DWORD visible = options.showWindows ? WS_VISIBLE : 0;
    mainWindow_ = CreateWindowExA(0, kMainClass, "AviUtl (kirabo-host)", WS_OVERLAPPEDWINDOW | visible, 0, 0, 720, 480,
                                  nullptr, BuildMenuBar(options.menus), GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(mainWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainProc));

    module_ = LoadLibraryA(options.dllPath.c_str());
    auto getTable =
        module_
            ? reinterpret_cast<GetFilterTableProc>(reinterpret_cast<void*>(GetProcAddress(module_, "GetFilterTable")))
            : nullptr;
    table_ = getTable ? getTable() : nullptr;
    if (!table_) {
        Stop();
        return false;
    }
    record_ = *table_;
    // Like its host, the emulator keeps each plug-in's settings in a section named after it.
    iniSection_ = table_->name ? table_->name : "";
    LoadIni();
    record_.exfunc = &services_;
    record_.dll_hinst = module_;

    paletteWindow_ = CreateWindowExA(WS_EX_TOOLWINDOW, kPaletteClass, table_->name,
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 380, 40, table_->x,
                                     table_->y, mainWindow_, nullptr, GetModuleHandleA(nullptr), nullptr);
    record_.hwnd = paletteWindow_;
    SetWindowLongPtrA(paletteWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaletteProc));
    AddPaletteItem();
    pluginActive_ = true;
    if (options.showWindows) ShowWindow(paletteWindow_, SW_SHOWNOACTIVATE);
    if (options.initialise) initResult_ = record_.func_init ? record_.func_init(&record_) : FALSE;
    return true;
}

// A plug-in with a window of its own gets "<name>の表示" among the display tools, checked while
// the window is shown: the user's way to open it again after closing it.
void Host::AddPaletteItem() {
    paletteItem_ = 0;
    if (!options_.paletteItem || !(table_->flag & host::FILTER_FLAG_DISP_FILTER) || !table_->name) return;
    HMENU display = GetSubMenu(menuBar(), kDisplayMenu);
    if (!display) return;
    // The display tools lie between the menu's first two separators; the item goes last among them.
    int separators = 0;
    int position = -1;
    for (int i = 0; i < GetMenuItemCount(display) && position < 0; ++i) {
        if (GetMenuItemID(display, i) == 0 && ++separators == 2) position = i;
    }
    if (separators == 0) AppendMenuA(display, MF_SEPARATOR, 0, nullptr);
    paletteItem_ = kPaletteItemId;
    const std::string caption = std::string(table_->name) + "の表示";
    InsertMenuA(display, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, paletteItem_, caption.c_str());
}

void Host::AddPluginItem(const char* name, HWND window, int id, int defaultKey, int flags) {
    // Started again in the same host, a plug-in finds its item there already.
    for (const PluginItem& item : pluginItems) {
        if (item.window == window && item.id == id) return;
    }
    const UINT command = kFirstPluginItemId + static_cast<UINT>(pluginItems.size());
    const bool bound = options_.itemKey != 0;
    pluginItems.push_back({command, window, id, bound ? options_.itemKey : static_cast<UINT>(defaultKey),
                           bound ? options_.itemKeyFlags : flags});
    InsertMenuA(GetSubMenu(menuBar(), kSettingsMenu), 0, MF_BYPOSITION | MF_STRING, command, name);
}

// A key bound to a plug-in's item chooses it, as the host's shortcut keys do.
bool Host::ChooseByKey(UINT key) {
    for (const PluginItem& item : pluginItems) {
        if (item.key == 0 || item.key != key || item.flags != HeldFlags()) continue;
        SendMessageA(item.window, host::kMessageMenuItem, static_cast<WPARAM>(item.id), 0);
        return true;
    }
    return false;
}

void Host::Report(const std::string& line) const {
    if (options_.report) options_.report(line);
}

void Host::Exit() {
    if (!pluginActive_) return;
    exitResult_ = record_.func_exit ? record_.func_exit(&record_) : FALSE;
    pluginActive_ = false;
}

void Host::Stop() {
    Exit();
    if (paletteWindow_) DestroyWindow(paletteWindow_);
    paletteWindow_ = nullptr;
    if (mainWindow_) DestroyWindow(mainWindow_);
    mainWindow_ = nullptr;
    std::vector<PluginItem>().swap(pluginItems);
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    table_ = nullptr;
    SaveIni();
    Pump();
}

void Host::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT Host::SendToPalette(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(paletteWindow_, message, wParam, lParam);
}

void* Host::editp() {
    static int edit = kEditHandle;
    return &edit;
}

LRESULT CALLBACK Host::PaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Host* self = g_host;
    if (self && self->pluginActive_ && self->record_.func_WndProc) {
        self->record_.func_WndProc(hwnd, message, wParam, lParam, editp(), &self->record_);
    }
    if (message == WM_SHOWWINDOW && self && self->paletteItem_) {
        CheckMenuItem(self->menuBar(), self->paletteItem_, MF_BYCOMMAND | (wParam ? MF_CHECKED : MF_UNCHECKED));
    }
    if (message == WM_CLOSE) {
        ShowWindow(hwnd, SW_HIDE);  // the host keeps the plug-in's window; closing only hides it
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Host::MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Host* self = g_host;
    switch (message) {
        case WM_COMMAND:
            // A menu command carries no control: one that names a window is a control's
            // notification, and no command of the host's.
            if (self && lParam == 0) {
                self->commands.push_back(LOWORD(wParam));
                self->Report("command " + std::to_string(LOWORD(wParam)) + " " +
                             ShiftJisToUtf8(MenuCaptionOf(self->menuBar(), LOWORD(wParam))));
                self->CarryOut(LOWORD(wParam));
            }
            return 0;
        case WM_SYSKEYDOWN:
            if (self) self->Report("key " + KeyName(wParam, lParam));
            if (self && self->ChooseByKey(static_cast<UINT>(wParam))) return 0;
            return DefWindowProcA(hwnd, message, wParam, lParam);
        case WM_KEYDOWN:
            if (self) self->Report("key " + KeyName(wParam, lParam));
            if (self && self->ChooseByKey(static_cast<UINT>(wParam))) return 0;
            [[fallthrough]];
        case WM_KEYUP:
        case WM_CHAR:
        case WM_MOUSEWHEEL:
            if (self) self->ownerMessages.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
            return 0;
        case WM_INITMENUPOPUP:
            for (int position = 0; self && position < GetMenuItemCount(self->menuBar()); ++position) {
                if (GetSubMenu(self->menuBar(), position) != reinterpret_cast<HMENU>(wParam)) continue;
                self->menusOpened.push_back(position);
                char title[256] = {};
                GetMenuStringA(self->menuBar(), static_cast<UINT>(position), title, sizeof title, MF_BYPOSITION);
                self->Report(std::string("menu ") + ShiftJisToUtf8(title));
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        case WM_ACTIVATE:
            if (self && self->options_.keepOwnedAbove && LOWORD(wParam) != WA_INACTIVE) {
                PostMessageA(hwnd, kRaiseOwned, 0, 0);
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);
        case kRaiseOwned:
            EnumThreadWindows(GetCurrentThreadId(), RaiseIfOwned, reinterpret_cast<LPARAM>(hwnd));
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void Host::CarryOut(UINT command) {
    HMENU bar = menuBar();
    const int menu = MenuOfCommand(bar, command);
    const auto item = std::find_if(pluginItems.begin(), pluginItems.end(),
                                   [command](const PluginItem& added) { return added.command == command; });
    if (item != pluginItems.end()) {
        SendMessageA(item->window, host::kMessageMenuItem, static_cast<WPARAM>(item->id), 0);
    } else if (command == paletteItem_ && paletteItem_) {
        ShowWindow(paletteWindow_, IsWindowVisible(paletteWindow_) ? SW_HIDE : SW_SHOWNOACTIVATE);
    } else if (menu == kToggleMenu) {
        const UINT state = GetMenuState(bar, command, MF_BYCOMMAND);
        CheckMenuItem(bar, command, MF_BYCOMMAND | ((state & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED));
        SendMessageA(paletteWindow_, host::kMessageMenuChanged, 0, 0);
    } else if ((menu == kSettingsMenu || menu == kDisplayMenu) && options_.openToolWindows) {
        // Stands for the filter's settings window or the display tool; it closes with the host.
        CreateWindowExA(WS_EX_TOOLWINDOW, kToolClass, MenuCaptionOf(bar, command).c_str(),
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 120, 200, 260, 140, mainWindow_, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    }
}

void Host::LoadIni() {
    if (options_.iniPath.empty() || iniSection_.empty()) return;
    // The section has no size to ask for: a read that fills the buffer (less its two
    // terminators) may have been cut, so it is read again into one twice as large.
    std::string section(32768, '\0');
    DWORD length = 0;
    while (true) {
        length = GetPrivateProfileSectionA(iniSection_.c_str(), section.data(), static_cast<DWORD>(section.size()),
                                           options_.iniPath.c_str());
        if (length < section.size() - 2) break;
        section.assign(section.size() * 2, '\0');
    }
    for (const char* line = section.c_str(); line < section.c_str() + length && *line; line += std::strlen(line) + 1) {
        const char* equals = std::strchr(line, '=');
        if (equals) store[std::string(line, equals)] = equals + 1;
    }
}

void Host::SaveIni() {
    if (options_.iniPath.empty() || iniSection_.empty()) return;
    std::string section;
    for (const auto& [key, value] : store) section += key + "=" + value + '\0';
    section += '\0';
    saveError_ = WritePrivateProfileSectionA(iniSection_.c_str(), section.c_str(), options_.iniPath.c_str())
                     ? 0
                     : std::max<DWORD>(GetLastError(), 1);
}

}  // namespace kirabo::emulator
