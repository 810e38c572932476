// kirabo-host: what the plug-in's host does, as far as the plug-in can see it. One host per
// process: the host's service functions are plain C functions.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "MenuText.h"
#include "host/HostInterface.h"

namespace kirabo::emulator {

struct ServiceCall {
    std::string service;  // "is_saving", "ini_load_int", ...
    std::string key;
    std::string value;  // saved value, or the value a load answered
    bool operator==(const ServiceCall&) const = default;
};

struct HostOptions {
    std::string dllPath = "Kirabo.auf";
    MenuBarText menus = DefaultMenus();
    std::string iniPath;           // empty: settings live in memory only
    bool openToolWindows = false;  // a settings or display command shows a small window
    // The main window's own windows (the palette, the tool windows) are raised with it, as Windows
    // keeps them above it and Wine without a window manager does not.
    bool keepOwnedAbove = false;
    // The host's "<name>の表示" item for a plug-in with a window, among the display tools, so
    // that the palette lists itself as the host's does. Off for tests that count rows.
    bool paletteItem = false;
    bool showWindows = true;
    bool initialise = true;  // false: Start leaves the call of func_init to the caller
    // The key the user gave the plug-in's menu items in the host's shortcut settings (a virtual key
    // and the add_menu_item modifiers); 0: each item has the default key the plug-in asked for.
    UINT itemKey = 0;
    int itemKeyFlags = 0;
    // Live mode: a line (UTF-8) for each command, key and menu the main window receives.
    void (*report)(const std::string& line) = nullptr;
};

// An item a plug-in added to the host's menus (add_menu_item), and the key that chooses it.
struct PluginItem {
    UINT command = 0;  // its id in the host's menu
    HWND window = nullptr;
    int id = 0;  // as the plug-in gave it
    UINT key = 0;
    int flags = 0;
};

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Loads the plug-in, creates the window its table asks for and calls func_init. False when the DLL or its
    // table cannot be had.
    bool Start(const HostOptions& options);
    // func_exit alone, leaving the windows and the DLL.
    void Exit();
    // func_exit if it has not run, then the plug-in's window goes and the DLL is unloaded.
    void Stop();
    bool started() const { return table_ != nullptr; }
    // 0 when the last save to the ini file worked, else the Windows error it gave.
    DWORD saveError() const { return saveError_; }

    // Handles every message waiting for this thread's windows.
    void Pump();

    HWND mainWindow() const { return mainWindow_; }
    HWND paletteWindow() const { return paletteWindow_; }
    HMENU menuBar() const { return GetMenu(mainWindow_); }
    // The display menu's item that shows and hides the plug-in's window; 0 when the plug-in's
    // table does not ask for one.
    UINT paletteItem() const { return paletteItem_; }
    host::FilterRecord* table() const { return table_; }
    host::FilterRecord* record() { return &record_; }
    HMODULE module() const { return module_; }
    BOOL initResult() const { return initResult_; }
    BOOL exitResult() const { return exitResult_; }

    // Sends a message to the plug-in's window the way the host would: through func_WndProc.
    LRESULT SendToPalette(UINT message, WPARAM wParam, LPARAM lParam);

    // The store behind the ini services, in Shift-JIS keys and values.
    std::map<std::string, std::string> store;
    std::vector<ServiceCall> calls;
    std::vector<UINT> commands;      // every WM_COMMAND the main window received, in order
    std::vector<MSG> ownerMessages;  // keys and wheel messages that reached the main window
    std::vector<int> menusOpened;    // the positions of the menu bar's menus opened, in order
    std::vector<PluginItem> pluginItems;
    int saving = 0;  // what is_saving answers

    static Host* current();
    // add_menu_item: the item goes first in the settings menu.
    void AddPluginItem(const char* name, HWND window, int id, int defaultKey, int flags);
    // The edit handle the host passes to func_WndProc.
    static void* editp();

private:
    static LRESULT CALLBACK MainProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK PaletteProc(HWND, UINT, WPARAM, LPARAM);
    void CarryOut(UINT command);
    bool ChooseByKey(UINT key);
    void Report(const std::string& line) const;
    void AddPaletteItem();
    void LoadIni();
    void SaveIni();

    HostOptions options_;
    HMODULE module_ = nullptr;
    host::FilterRecord* table_ = nullptr;
    host::FilterRecord record_ = {};
    host::HostServices services_ = {};
    HWND mainWindow_ = nullptr;
    HWND paletteWindow_ = nullptr;
    bool pluginActive_ = false;
    DWORD saveError_ = 0;
    std::string iniSection_;  // the plug-in's name, Shift-JIS
    UINT paletteItem_ = 0;
    BOOL initResult_ = FALSE;
    BOOL exitResult_ = FALSE;
};

}  // namespace kirabo::emulator
