// Start, use and exit the plug-in over and over: no window, font or memory may stay behind.
// KIRABO_LEAK_CYCLES sets the number of cycles (30 by default).
#include <doctest/doctest.h>

#include <cstdio>
#include <cstdlib>

#include "Support.h"

#include <psapi.h>

using namespace kirabo;
using namespace kirabo::test;

namespace {

int Cycles() {
    const char* cycles = std::getenv("KIRABO_LEAK_CYCLES");
    return cycles ? std::atoi(cycles) : 30;
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // Wine fills the working set and the page-file usage (virtual size), not PrivateUsage.
    return counters.PagefileUsage;
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

// One run of the host: start, clicks, relayouts, a reset, a drag in the dialog and Cancel, exit.
void OneRun() {
    Host host;
    REQUIRE(host.Start(TestOptions()));
    HWND palette = host.paletteWindow();
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(palette, 0), WM_GETFONT, 0, 0));
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
        BeginDrag(dialog, list, 1);  // and one still held at the close
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    host.SendToPalette(WM_COMMAND, KIRABO_CMD_REORDER, 0);
    host.Pump();
    host.Exit();
    CHECK(GetWindow(palette, GW_CHILD) == nullptr);
    CHECK(GetObjectType(font) == 0);  // the palette font was deleted
    host.Stop();
}

}  // namespace

TEST_CASE("cycles of start, use and exit leave no window, font or memory behind") {
    // Kept loaded between the cycles: the static C++ runtime does not return the few kilobytes
    // it takes at each load (a five-line static C++ DLL does the same), and the host loads the
    // plug-in once per run.
    HMODULE pinned = LoadLibraryA("Kirabo.auf");
    REQUIRE(pinned != nullptr);
    for (int i = 0; i < 5; ++i) OneRun();  // the first runs settle what Windows allocates once
    const SIZE_T before = PrivateBytes();
    const int cycles = Cycles();
    for (int i = 0; i < cycles; ++i) OneRun();
    const SIZE_T after = PrivateBytes();
    CHECK(ThreadWindows() == 0);
    const double perCycle = (static_cast<double>(after) - static_cast<double>(before)) / cycles;
    std::printf("leak cycles: %d, committed bytes before: %lu, after: %lu, per cycle: %.0f\n", cycles,
                static_cast<unsigned long>(before), static_cast<unsigned long>(after), perCycle);
    // Wine's heap grows in steps of tens of kilobytes; a leak of a window's or an image list's
    // worth every cycle still shows.
    CHECK(perCycle < 4096);
    FreeLibrary(pinned);
}
