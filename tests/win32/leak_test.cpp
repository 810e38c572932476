// Load, start, use, exit and unload the plug-in over and over, as a host that loads it once per
// run would in one process: no byte of the C runtime's heap, no window, menu or font may stay.
// KIRABO_LEAK_CYCLES sets the number of cycles (30 by default).
#include <doctest/doctest.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "Support.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

int Cycles() {
    const char* cycles = std::getenv("KIRABO_LEAK_CYCLES");
    return cycles ? std::atoi(cycles) : 30;
}

// Bytes in use in the heap that malloc serves, the plug-in's and this program's alike.
std::size_t HeapInUse() {
    const HANDLE heap = reinterpret_cast<HANDLE>(_get_heap_handle());
    std::size_t busy = 0;
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heap);
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
    }
    HeapUnlock(heap);
    return busy;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// What the host recorded is this program's memory, not the plug-in's: let it go, storage and all.
void ForgetRecords(Host& host) {
    std::vector<emulator::ServiceCall>().swap(host.calls);
    std::vector<UINT>().swap(host.commands);
}

// Clicks, every own-menu command, a reset, a drag in the dialog and Cancel.
void Use(Host& host) {
    HWND palette = host.paletteWindow();
    SendMessageA(GetDlgItem(palette, 0), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(palette, 100), BM_CLICK, 0, 0);
    for (UINT id = KIRABO_CMD_ONE_COLUMN; id <= KIRABO_CMD_TAB_MODE; ++id) host.SendToPalette(WM_COMMAND, id, 0);
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_TAB_MODE, 0);
    AnswerNextMessageBox(IDYES);
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_RESET_ORDER, 0);
    RunInNextDialog([](HWND dialog) {
        HWND list = GetDlgItem(dialog, KIRABO_REORDER_LIST);
        SelectItems(list, {1, 2});
        BeginDrag(dialog, list, 1);
        SendMessageA(dialog, WM_LBUTTONUP, 0, PointParam(ItemPoint(dialog, list, 4, false)));
        SelectItems(list, {0, 3});
        BeginDrag(dialog, list, 0);  // and one ended by Esc, its selection on the heap, then Cancel
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
    host.Pump();
}

// One run of a host: load, func_init, use, func_exit, then func_init and func_exit once more on
// the window the host keeps, and unload. `store` carries the settings from run to run; the first
// run fills it, and this program's own records, so its heap is not compared.
void OneRun(std::map<std::string, std::string>& store, bool first) {
    Host host;
    host.store = store;
    HostOptions options = TestOptions();
    options.initialise = false;
    REQUIRE(host.Start(options));
    host::FilterRecord* fp = host.record();
    HWND palette = host.paletteWindow();
    for (int run = 0; run < 2; ++run) {
        CAPTURE(run);
        ForgetRecords(host);
        const std::size_t before = HeapInUse();
        REQUIRE(fp->func_init(fp) == TRUE);
        CHECK(GetWindow(palette, GW_CHILD) != nullptr);  // every start builds a palette
        const HMENU menu = GetMenu(palette);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(palette, 0), WM_GETFONT, 0, 0));
        if (run == 0) Use(host);
        fp->func_exit(fp);
        CHECK(GetWindow(palette, GW_CHILD) == nullptr);
        CHECK(GetMenu(palette) == nullptr);
        CHECK_FALSE(IsMenu(menu));
        CHECK(GetObjectType(font) == 0);
        ForgetRecords(host);
        // Whatever the plug-in took from the heap at func_init and since, func_exit gave back.
        if (!first) CHECK(HeapInUse() == before);
    }
    store = host.store;
    host.Stop();
}

}  // namespace

TEST_CASE("cycles of load, start, use, exit and unload leave no byte, window, menu or font behind") {
    std::map<std::string, std::string> store;
    OneRun(store, true);  // the first run settles what Windows and the runtime keep once per process
    const std::size_t base = HeapInUse();
    const int windows = ThreadWindows();  // the input method's own, made once for the thread, among them
    const int cycles = Cycles();
    std::size_t after = base;
    for (int i = 0; i < cycles; ++i) {
        OneRun(store, false);
        after = HeapInUse();
        if (after != base) break;
    }
    std::printf("leak cycles: %d, heap bytes in use after the first: %lu, after the last: %lu\n", cycles,
                static_cast<unsigned long>(base), static_cast<unsigned long>(after));
    CHECK(after == base);
    CHECK(ThreadWindows() == windows);
}
