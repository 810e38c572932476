// The palette in the PaletteWindow: the window code that carries PaletteCore's answers out. It asks
// Windows for facts, applies the core's frame to the real controls, and hands the host its commands.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "controls/FindBox.h"
#include "host/HostInterface.h"
#include "palette/PaletteCore.h"

namespace kirabo {

// The palette's own message, posted to itself when it is shown again with the find box open: the
// box takes the keyboard if it is still open then.
inline constexpr UINT kMessageFindBoxShown = WM_APP + 5;

// One scroll bar of the window set to the view's; a palette that fits never gets a scroll bar call,
// so that it stays exactly as it was.
void SetBar(HWND window, int which, const ScrollBar& bar);

// The border the user drags, given to the host's window or taken away.
void MakeSizable(HWND window, bool sizable);

// A row's controls, reused for whichever row the screen needs: a check box or a label, and a button,
// made when a row that has one first takes it.
struct PooledRow {
    HWND main = nullptr;
    HWND button = nullptr;
    bool checkBox = false;
    bool heading = false;
    std::optional<RowFrame> shows;  // nothing: out of sight, free for another row
};

// Alive from func_init to func_exit. The handles belong to the palette, but for the host's window.
class PaletteWindow {
public:
    // func_init: the own menu, the font, the settings and the rows, laid out with the marks mirrored.
    void Start(HWND window, HINSTANCE instance, host::HostServices* services, SettingsStore& store);
    // func_exit: the settings stored, every control gone, the host's window as it gave it.
    void Exit(SettingsStore& store);
    bool running() const { return core_.running(); }
    // func_WndProc.
    void PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp);

private:
    void LayoutPalette(Controls controls);
    void DestroyPaletteControls();
    SystemMetrics ReadMetrics() const;
    WindowFacts ReadWindow() const;
    // Carries the frame out against the one applied last; the bars too unless the user holds a thumb.
    void Apply(bool setBars = true);
    void ApplyWindow(const PaletteFrame& next);
    void ApplyRows(const PaletteFrame& next);
    void ApplyTabs(const PaletteFrame& next);
    void ApplyFind(const PaletteFrame& next);
    void ApplyBars(const PaletteFrame& next, bool setBars);
    void ShowTabLabels(const std::vector<std::string>& labels);
    // A pooled row for a row coming on screen: a free one of its kind, or a new one.
    std::size_t FreeRow(std::vector<bool>& taken, const RowFrame& shows);
    void ShowRow(PooledRow& row, const RowFrame& shows);
    void PutAway(PooledRow& row);
    void Tip(HWND control, const std::string& before, const std::string& after);
    void MirrorCheckStates();
    void CarryOut(const Answer& answer, HWND hwnd);
    void OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam, void* editp);
    void OnNotify(LPARAM lParam);
    void OnFindKey(HWND hwnd, WPARAM key, LPARAM held, void* editp);
    // F2's editor let go of: its words kept, or dropped.
    void EndWordsEdit(HWND hwnd, bool keep);
    void CloseFind();
    // What has the keyboard while the box is open: the words' editor, or the box.
    HWND FindKeyboard() const;
    void AnswerFindText(HWND hwnd);
    void OnScroll(UINT message, WPARAM wParam);
    bool OnWheel(WPARAM wParam, bool sideways);
    void OnSize();
    void OnSizing(bool ends);
    void OnActivate(WPARAM wParam, LPARAM lParam);
    void OnFindShortcut(HWND hwnd);
    void RememberKeyboardHome(HWND active);
    void ReturnKeyboard();
    void GiveKeyboardBack();
    bool IsSaving(void* editp) const;

    PaletteCore core_;
    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    host::HostServices* services_ = nullptr;
    HWND hostMainWindow_ = nullptr;  // borrowed, never destroyed
    // The window that was active before the palette: the keyboard goes back to it (borrowed).
    HWND keyboardHome_ = nullptr;
    HFONT font_ = nullptr;
    HFONT headingFont_ = nullptr;  // bold and underlined: a group's name, set apart from the rows
    HMENU menu_ = nullptr;         // menu 7000, the PaletteWindow's menu bar
    HWND columnTabs_ = nullptr;
    HWND tips_ = nullptr;  // the full names of the rows whose names are cut
    std::vector<PooledRow> pool_;
    FindBoxControl find_;
    HWND findMark_ = nullptr;
    HWND wordsEditor_ = nullptr;  // F2's, over the marked row
    PaletteFrame applied_;
    Rect beforeSizing_;      // the window when the user took its border or caption
    bool applying_ = false;  // the window's own WM_SIZE, made by a layout or a frame, must not reframe half of it
    int paintHeld_ = 0;      // frames being applied, one within another
};

}  // namespace kirabo
