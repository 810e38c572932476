// The host's side of the plug-in boundary: the filter record the host reads and passes back, and
// the host's service table. 32-bit only: every offset is the host's.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

static_assert(sizeof(void*) == 4, "the host is a 32-bit program");

namespace kirabo::host {

struct FilterRecord;
struct HostServices;

enum FilterFlag : std::uint32_t {
    FILTER_FLAG_ALWAYS_ACTIVE = 0x00000004,
    FILTER_FLAG_WINDOW_SIZE = 0x00004000,
    FILTER_FLAG_DISP_FILTER = 0x00008000,
    FILTER_FLAG_EX_INFORMATION = 0x00040000,
};

// Messages the host sends to the plug-in's window.
inline constexpr UINT kMessageMenuChanged = WM_USER + 100;  // 1124: its menu marks have changed
// 1137: the user chose the plug-in's own menu item (add_menu_item) or pressed its key; wParam: the
// item's id as the plug-in gave it.
inline constexpr UINT kMessageMenuItem = WM_USER + 113;

using InitProc = BOOL(__cdecl*)(FilterRecord* fp);
using ExitProc = BOOL(__cdecl*)(FilterRecord* fp);
using WndProc = BOOL(__cdecl*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp, FilterRecord* fp);

struct FilterRecord {
    std::uint32_t flag{};
    std::int32_t x{};
    std::int32_t y{};
    const char* name{};
    std::int32_t track_n{};
    const char** track_name{};
    std::int32_t* track_default{};
    std::int32_t* track_s{};
    std::int32_t* track_e{};
    std::int32_t check_n{};
    const char** check_name{};
    std::int32_t* check_default{};
    void* func_proc{};
    InitProc func_init{};
    ExitProc func_exit{};
    void* func_update{};
    WndProc func_WndProc{};
    std::int32_t* track{};
    std::int32_t* check{};
    void* ex_data_ptr{};
    std::int32_t ex_data_size{};
    const char* information{};
    void* func_save_start{};
    void* func_save_end{};
    HostServices* exfunc{};
    HWND hwnd{};
    HINSTANCE dll_hinst{};
    void* ex_data_def{};
    void* func_is_saveframe{};
    void* func_project_load{};
    void* func_project_save{};
    void* func_modify_title{};
    const char* dll_path{};
    std::int32_t reserved[2]{};
};

static_assert(sizeof(FilterRecord) == 140);
static_assert(offsetof(FilterRecord, flag) == 0);
static_assert(offsetof(FilterRecord, x) == 4);
static_assert(offsetof(FilterRecord, y) == 8);
static_assert(offsetof(FilterRecord, name) == 12);
static_assert(offsetof(FilterRecord, track_n) == 16);
static_assert(offsetof(FilterRecord, track_name) == 20);
static_assert(offsetof(FilterRecord, track_default) == 24);
static_assert(offsetof(FilterRecord, track_s) == 28);
static_assert(offsetof(FilterRecord, track_e) == 32);
static_assert(offsetof(FilterRecord, check_n) == 36);
static_assert(offsetof(FilterRecord, check_name) == 40);
static_assert(offsetof(FilterRecord, check_default) == 44);
static_assert(offsetof(FilterRecord, func_proc) == 48);
static_assert(offsetof(FilterRecord, func_init) == 52);
static_assert(offsetof(FilterRecord, func_exit) == 56);
static_assert(offsetof(FilterRecord, func_update) == 60);
static_assert(offsetof(FilterRecord, func_WndProc) == 64);
static_assert(offsetof(FilterRecord, track) == 68);
static_assert(offsetof(FilterRecord, check) == 72);
static_assert(offsetof(FilterRecord, ex_data_ptr) == 76);
static_assert(offsetof(FilterRecord, ex_data_size) == 80);
static_assert(offsetof(FilterRecord, information) == 84);
static_assert(offsetof(FilterRecord, func_save_start) == 88);
static_assert(offsetof(FilterRecord, func_save_end) == 92);
static_assert(offsetof(FilterRecord, exfunc) == 96);
static_assert(offsetof(FilterRecord, hwnd) == 100);
static_assert(offsetof(FilterRecord, dll_hinst) == 104);
static_assert(offsetof(FilterRecord, ex_data_def) == 108);
static_assert(offsetof(FilterRecord, func_is_saveframe) == 112);
static_assert(offsetof(FilterRecord, func_project_load) == 116);
static_assert(offsetof(FilterRecord, func_project_save) == 120);
static_assert(offsetof(FilterRecord, func_modify_title) == 124);
static_assert(offsetof(FilterRecord, dll_path) == 128);
static_assert(offsetof(FilterRecord, reserved) == 132);

using IsSavingProc = BOOL(__cdecl*)(void* editp);
using IniLoadIntProc = int(__cdecl*)(FilterRecord* fp, const char* key, int defaultValue);
using IniSaveIntProc = int(__cdecl*)(FilterRecord* fp, const char* key, int value);
using IniLoadStrProc = BOOL(__cdecl*)(FilterRecord* fp, const char* key, char* buffer, const char* defaultValue);
using IniSaveStrProc = BOOL(__cdecl*)(FilterRecord* fp, const char* key, const char* value);
// Adds an item to the host's menus that the user may give a shortcut key in the host's settings;
// choosing it or pressing its key sends kMessageMenuItem with `id` to `hwnd`. defaultKey: a virtual
// key, 0 for none; flags: the modifiers held with it (kMenuItemShift, Ctrl, Alt).
using AddMenuItemProc = BOOL(__cdecl*)(void* fp, const char* name, HWND hwnd, int id, int defaultKey, int flags);
inline constexpr int kMenuItemShift = 1, kMenuItemCtrl = 2, kMenuItemAlt = 4;

// The host's service table, as far as the plug-in reads it: six of its 80 slots, by number.
struct HostServices {
    void* slots0to4[5]{};
    IsSavingProc is_saving{};
    void* slots6to33[28]{};
    IniLoadIntProc ini_load_int{};
    IniSaveIntProc ini_save_int{};
    IniLoadStrProc ini_load_str{};
    IniSaveStrProc ini_save_str{};
    void* slots38to67[30]{};
    AddMenuItemProc add_menu_item{};
    void* slots69to79[11]{};
};

static_assert(offsetof(HostServices, is_saving) == 5 * 4);
static_assert(offsetof(HostServices, ini_load_int) == 34 * 4);
static_assert(offsetof(HostServices, ini_save_int) == 35 * 4);
static_assert(offsetof(HostServices, ini_load_str) == 36 * 4);
static_assert(offsetof(HostServices, ini_save_str) == 37 * 4);
static_assert(offsetof(HostServices, add_menu_item) == 68 * 4);
static_assert(sizeof(HostServices) == 320);

}  // namespace kirabo::host

extern "C" __declspec(dllexport) kirabo::host::FilterRecord* __stdcall GetFilterTable();
