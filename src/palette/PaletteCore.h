// The palette's state and every decision about it: which rows there are, in what order, how they
// are laid out, and what a command, a tab change, the reorder dialog's answer, the reset, a start
// and an exit mean. The window procedure, the dialog and func_init/func_exit ask it and carry the
// answer out; it never calls them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ControlFacts.h"
#include "entries/EntryList.h"
#include "entries/FindMemory.h"
#include "entries/MenuMerge.h"
#include "entries/NameMatch.h"
#include "host/LayoutSettings.h"
#include "palette/Frame.h"
#include "palette/Geometry.h"
#include "palette/Settings.h"
#include "palette/Viewport.h"
#include "reorder/ReorderRows.h"
#include "resources/ResourceIds.h"

namespace kirabo {

// A layout either keeps the controls there are, only placing, showing and hiding them, or tears
// them all down and creates them anew.
enum class Controls : std::uint8_t { Keep, Create };

// Focus: the box, already open, takes the keyboard with its text selected. EditWords: the marked
// row's own words open for editing over it (wordsEditor), with the keyboard.
enum class FindBoxStep : std::uint8_t { Keep, Open, Close, Focus, EditWords };

// What the shell does about an event, in this order: open the reorder dialog or ask the reset's
// question or whether to forget what find learned (and hand the outcome back, which answers with its own layout), make
// or take away the find box, lay out or show the new view, post a command to the host, mirror the check marks.
struct Answer {
    bool openReorder = false;
    bool askReset = false;
    std::optional<Controls> layout{};
    std::uint32_t postCommand = 0;  // 0: nothing to post
    bool mirror = false;
    FindBoxStep findBox = FindBoxStep::Keep;
    std::optional<View> view{};  // the rows scrolled, without a layout
    bool askForgetFinds = false;
    bool handOnKey = false;  // the key pressed in the find box goes on to the host
    bool operator==(const Answer&) const = default;
};

// A key pressed in the find box, as far as the palette gives it a meaning: the arrows move the mark
// through the matches; Enter clicks the marked row and Shift+Enter its button, each closing the box
// and giving the keyboard back, with Ctrl held keeping the box open for the next row; F2 edits the
// marked row's words; Esc closes the box. Ctrl with a key the box does not edit with, and a function
// key, go on to the host, whose keys they may be (its find key selects the box's text).
enum class FindKey : std::uint8_t {
    Next,
    Previous,
    Press,
    PressButton,
    PressStaying,
    PressButtonStaying,
    EditWords,
    HandOn,
    Close
};
// Nothing: the key types into the box.
std::optional<FindKey> FindKeyOf(std::uint32_t virtualKey, bool shift, bool ctrl);

// The marked row's words, and where they are edited: over the row.
struct WordsEditor {
    Rect place;
    std::string words;
};

// The marks of the palette's own menu.
struct OwnMenuMarks {
    std::uint32_t columnItem = 0;  // the one radio-marked 列 item
    bool tabMode = false;
    bool columnsApply = true;  // false in tab mode with groups, where the tabs follow the groups: 列 greyed
    bool operator==(const OwnMenuMarks&) const = default;
};

class PaletteCore {
public:
    // func_init: the settings, the saved order, the hidden rows and what find learned, completed
    // from the host's menus; `today` in days since 1970, the day find's counts age by. Nothing is
    // taken over until all of it is read; a second start is ignored.
    void Start(SettingsStore& store, MenuReader& hostMenus, std::int32_t today = 0);
    // func_exit: stores the settings and the order, then holds nothing. Without a start, nothing is
    // stored, so that the user's stored order survives a start that failed.
    void Exit(SettingsStore& store);
    bool running() const { return running_; }

    Answer OnCommand(std::uint32_t wParam, bool saving, bool hasHostWindow);
    // Each tab keeps its own scroll position; one shown for the first time starts at its top.
    Answer OnTabChange(std::int32_t selection);
    // A click on the heading of the group whose first row is `groupRow`: an open group folds (its
    // rows leave the palette, the heading stays), a folded one opens. Side by side with the find box
    // closed only, where folds apply.
    Answer OnHeadingClick(std::size_t groupRow);
    std::vector<ReorderRow> RowsToReorder() const;
    std::vector<Group> GroupsToReorder() const;
    bool hasGroups() const { return HasGroups(entries_); }
    // The size the user last gave the dialog, kept across runs.
    std::optional<WindowSize> reorderSize() const { return sizes_.reorder; }
    // The user let go of the palette's border, or of its caption: a size changed on a palette that
    // scrolls is kept; a palette only moved keeps the size it had.
    void OnPaletteSized(const Rect& before, const Rect& after);
    // Where a layout puts the window and what it lets the user do (FitPalette with the size the user
    // gave the palette while it scrolled, kept across runs): fitted from where the user or the host
    // put it, not from where an earlier fit had to move it.
    PaletteFit FitWindow(FitInput input, WindowSize sizableExtra);
    // After a layout: the window placed as FitWindow says (kept as it is while the find box is
    // open), and the view reframed in the client area it will have, scroll bars included.
    void Fit(const WindowFacts& now);
    // The window sized by the user, or by anything but the palette: the view reframed in its client area.
    void Resized(const WindowFacts& now);
    // The sizes the user may drag the palette to; nothing while it does not scroll.
    std::optional<SizeRange> userSizeRange() const;
    // No result: the dialog was cancelled. A size: the user sized it.
    Answer OnReorderClosed(const std::optional<ReorderResult>& result, std::optional<WindowSize> size = std::nullopt);
    Answer OnResetAnswer(bool yes, MenuReader& hostMenus);
    // Yes: the picks and the counts go, the user's words stay.
    void OnForgetFindsAnswer(bool yes);

    // Where every row goes. In tab mode the selected column is clamped to the tabs and kept; a
    // creation layout numbers the rows the user has not hidden 0, 1, 2, ... (their controlIndex,
    // which their controls' ids carry), whether the find box leaves them out or not.
    const PaletteGeometry& Layout(Controls controls, SystemMetrics metrics);
    // Once the layout has sized the window: the view of its client area, the scroll position kept
    // as far as the new ranges allow, and a view at the end kept at the end.
    const View& Reframe(int clientWidth, int clientHeight);
    // A scroll bar's request: the new view, or nothing when it stays.
    std::optional<View> OnScroll(bool vertical, ScrollRequest request, int track);
    // The mouse wheel: nothing to scroll hands it on to the host, as ever.
    struct Wheel {
        bool handOn = false;
        std::optional<View> view;
    };
    Wheel OnWheel(int delta, int linesPerNotch, bool sideways = false);
    OwnMenuMarks MenuMarks() const;
    // The host's menu state of every row's toggle item, in list order (GetMenuState's answers):
    // the marks the check boxes show from now on.
    void Mirror(const std::vector<std::uint32_t>& menuStates);
    // Everything the window shows now.
    PaletteFrame Frame() const;

    // The find box: while it is open the palette shows the rows whose names hold what was typed, in
    // the window's size, the best match marked (the whole name, else its beginning, else the first
    // in the user's order); closed, everything is as it was before it opened.
    Answer OnFindText(std::string_view typed);
    // The host's shortcut for find, or the palette's 検索: the box opens, or the open one takes the
    // keyboard with its text selected.
    Answer OnFindShortcut();
    Answer OnFindKey(FindKey key, bool saving, bool hasHostWindow);
    // Once F2 opened them: the words and where they go; nothing while none are edited.
    std::optional<WordsEditor> wordsEditor() const;
    // The words edited are kept, or dropped (nothing); the keyboard goes back to the box, unless the
    // user took it elsewhere, which ended the editing.
    Answer OnWordsEdited(const std::optional<std::string>& words, bool editorHadKeyboard);
    // The marked match's laid-out number; nothing without a match.
    std::optional<std::size_t> findMark() const;
    const PaletteGeometry& geometry() const { return geometry_; }
    const View& view() const { return view_; }

    const EntryList& entries() const { return entries_; }

private:
    bool running_ = false;
    EntryList entries_;
    LayoutSettings settings_;
    bool hiddenBlockStored_ = false;  // the store held hidden rows at start, which showing them must clear
    bool groupBlockStored_ = false;   // and groups, which removing them must clear
    UserSizes sizes_;
    WindowHome windowHome_;
    FindMemory learned_;
    std::int32_t today_ = 0;
    PaletteGeometry geometry_;
    SystemMetrics metrics_;
    WindowPlace place_;
    int tabsWidth_ = 0;  // the tabs on one line, as the last fit found them; 0 side by side
    View view_;
    int wheelRemainder_ = 0;
    std::vector<int> tabRows_;  // in tab mode, each tab's scroll position as it was left
    struct Find {
        bool open = false;
        std::string typed;
        std::size_t mark = 0;
        bool markBest = false;    // the next layout puts the mark on the best match
        bool followMark = false;  // the view keeps the mark in sight, until the user scrolls
        std::size_t hiddenMatches = 0;
        std::optional<EntryKey> editing;  // the row whose words F2 opened
        // As the palette stood when the box opened, to go back to.
        int row = 0, column = 0;
        std::int32_t selectedColumn = 0;
    } find_;

    Answer ToggleFind();
    // A row switched (`toggle`) or its button pressed through the palette: counted, and picked for
    // the text in the find box.
    void Learn(const FilterEntry& entry, bool toggle);
    // The view of the client area the window has at place_, given its frame now: a scroll bar that
    // shows takes room from the client area, which changes the view.
    void FrameClient(const WindowFacts& now);
    Answer MarkIntoView();
    void KeepMarkInView();
};

// GetMenuState's answer for an item the menu lacks, and its check mark bit.
inline constexpr std::uint32_t kMenuStateMissing = 0xFFFFFFFF;
inline constexpr std::uint32_t kMenuStateChecked = 0x8;

// A host menu item's state as its check box shows it: an item the menu lacks answers -1, and that
// filter is not on.
bool ShowsChecked(std::uint32_t menuState);

}  // namespace kirabo
