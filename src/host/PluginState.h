// The plug-in's state, global to the DLL, alive from func_init to func_exit.
#pragma once

#include <windows.h>

#include "entries/EntryList.h"
#include "host/LayoutSettings.h"

namespace kirabo {

struct PluginState {
    bool ready = false;  // between func_init and func_exit; stray messages outside it do nothing
    EntryList entries;
    LayoutSettings settings;
    HWND hostMainWindow = nullptr;  // borrowed, never destroyed
    HFONT paletteFont = nullptr;
    HMENU paletteMenu = nullptr;  // menu 7000, the PaletteWindow's menu bar
    bool hiddenBlockStored = false;  // the store held hidden rows at start
    HWND columnTabs = nullptr;
};

extern PluginState g_plugin;

inline HWND AsWindow(WindowHandle handle) { return static_cast<HWND>(handle); }

}  // namespace kirabo
