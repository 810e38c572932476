#include "palette/PaletteCore.h"

#include "entries/FindRank.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "entries/HiddenRows.h"
#include "palette/CommandRouting.h"

namespace kirabo {
namespace {

Answer Relayout(Controls controls) { return {.layout = controls, .mirror = true}; }
Answer MirrorOnly() { return {.mirror = true}; }

}  // namespace

void PaletteCore::Start(SettingsStore& store, MenuReader& hostMenus, std::int32_t today) {
    if (running_) return;
    const LayoutSettings loaded = LoadLayoutSettings(store);
    EntryList rows;
    const std::vector<std::int32_t> storedAt = LoadSavedEntries(store, rows);
    const HiddenBlock hidden = LoadHiddenBlock(store);
    const UserSizes sizes = LoadUserSizes(store);
    FindMemory learned = LoadFindMemory(store);
    // Read before the merge, by the stored positions.
    const GroupBlock groups = LoadGroupBlock(store);
    PlaceGroups(rows, storedAt, groups.groups);
    MergeHostMenus(hostMenus, rows);
    FirstGroupAtTop(rows);
    HideEntries(rows, hidden.keys);

    settings_ = loaded;
    entries_ = std::move(rows);
    hiddenBlockStored_ = hidden.stored;
    groupBlockStored_ = groups.stored;
    sizes_ = sizes;
    learned_ = std::move(learned);
    today_ = today;
    running_ = true;
}

void PaletteCore::Exit(SettingsStore& store) {
    if (!running_) return;
    running_ = false;
    if (find_.open) settings_.selectedColumn = find_.selectedColumn;  // the tab the user chose, not the mark's
    find_ = {};
    StoreSettings(store, settings_, entries_, hiddenBlockStored_, sizes_);
    StoreFindMemory(store, learned_);
    StoreGroups(store, entries_, groupBlockStored_);
    learned_ = {};
    entries_.release();
    settings_ = {};
    hiddenBlockStored_ = false;
    groupBlockStored_ = false;
    sizes_ = {};
    windowHome_ = {};
    geometry_ = {};
    metrics_ = {};
    place_ = {};
    tabsWidth_ = 0;
    view_ = {};
    wheelRemainder_ = 0;
}

Answer PaletteCore::OnCommand(std::uint32_t wParam, bool saving, bool hasHostWindow) {
    std::vector<std::int32_t> controlIndices;
    controlIndices.reserve(entries_.count());
    for (const FilterEntry& entry : entries_) controlIndices.push_back(entry.controlIndex);
    const Command command = RouteCommand(wParam, {saving, hasHostWindow, &controlIndices});
    Answer answer = MirrorOnly();
    switch (command.action) {
        case CommandAction::Ignore:
            return {};
        case CommandAction::SetColumns:
            settings_.columnCount = command.value;
            return Relayout(Controls::Keep);
        case CommandAction::ToggleTabs:
            settings_.tabMode = settings_.tabMode == 0 ? 1 : 0;
            return Relayout(Controls::Keep);
        case CommandAction::Reorder:
            answer.openReorder = true;
            break;
        case CommandAction::ResetOrder:
            answer.askReset = true;
            break;
        case CommandAction::ForgetFinds:
            answer.askForgetFinds = true;
            break;
        case CommandAction::Find:
            return OnFindShortcut();
        case CommandAction::PostToggle:
            answer.postCommand = entries_[command.entry].toggleCommand;
            Learn(entries_[command.entry], true);
            break;
        case CommandAction::PostSettings:
            answer.postCommand = entries_[command.entry].settingsCommand;
            Learn(entries_[command.entry], false);
            break;
        case CommandAction::MirrorOnly:
            break;
    }
    return answer;
}

void PaletteCore::Learn(const FilterEntry& entry, bool toggle) {
    const EntryKey row{entry.name, entry.kind};
    if (toggle) learned_.Used(row, today_);
    if (find_.open && !find_.typed.empty()) learned_.Picked(FoldedText(find_.typed), row);
}

void PaletteCore::OnForgetFindsAnswer(bool yes) {
    if (yes) learned_.ForgetHistory();
}

Answer PaletteCore::OnTabChange(std::int32_t selection) {
    const auto tab = [this](std::int32_t t) -> int* {
        if (t < 0 || t >= kMaxStoredEntries) return nullptr;
        if (static_cast<std::size_t>(t) >= tabRows_.size()) tabRows_.resize(static_cast<std::size_t>(t) + 1, 0);
        return &tabRows_[static_cast<std::size_t>(t)];
    };
    if (int* left = tab(settings_.selectedColumn)) *left = view_.rows.position;
    const int* shown = tab(selection);
    // The tab's own position, not kept at the end of the tab left.
    view_.rows = {};
    view_.rows.position = shown ? *shown : 0;
    settings_.selectedColumn = selection;
    find_.followMark = false;
    return Relayout(Controls::Keep);
}

std::vector<ReorderRow> PaletteCore::RowsToReorder() const {
    std::vector<ReorderRow> rows;
    rows.reserve(entries_.count());
    for (const FilterEntry& entry : entries_) {
        rows.push_back({entry.name, entry.kind, entry.hidden, std::string(learned_.WordsOf({entry.name, entry.kind}))});
    }
    return rows;
}

std::vector<Group> PaletteCore::GroupsToReorder() const { return GroupsOf(entries_); }

Answer PaletteCore::OnReorderClosed(const std::optional<ReorderResult>& result, std::optional<WindowSize> size) {
    if (size) sizes_.reorder = size;
    // The command that opened the dialog mirrors once it is closed.
    Answer answer;
    answer.layout = Controls::Keep;
    if (!result || result->order.size() != entries_.count() || result->hidden.size() != entries_.count()) {
        return answer;
    }
    // Rows shown or hidden take or give up their controls, and the ids follow the shown rows; a
    // palette where nothing is hidden, before or after, keeps its controls and ids as the order
    // moves them.
    for (std::size_t i = 0; i < result->words.size() && i < entries_.count(); ++i) {
        learned_.SetWords({entries_[i].name, entries_[i].kind}, result->words[i]);
    }
    const bool hiddenBefore = AnyHidden(entries_);
    const std::vector<Group> before = GroupsOf(entries_);
    EntryList ordered;
    ordered.reserve(entries_.count());
    for (std::size_t i = 0; i < result->order.size(); ++i) {
        ordered.append(std::move(entries_[result->order[i]]));
        ordered[i].hidden = result->hidden[i];
    }
    // The groups as the dialog left them; one that keeps its name keeps its fold.
    std::vector<Group> groups = result->groups;
    for (Group& group : groups) {
        group.folded =
            std::any_of(before.begin(), before.end(), [&](const Group& b) { return b.folded && b.name == group.name; });
    }
    SetGroups(ordered, groups);
    entries_ = std::move(ordered);
    if (hiddenBefore || AnyHidden(entries_)) answer.layout = Controls::Create;
    return answer;
}

Answer PaletteCore::OnResetAnswer(bool yes, MenuReader& hostMenus) {
    if (!yes) return {};
    // What the user chose to hide stays hidden: a reset restores the order only.
    const std::vector<EntryKey> hidden = HiddenKeys(entries_);
    EntryList rebuilt;
    MergeHostMenus(hostMenus, rebuilt);
    HideEntries(rebuilt, hidden);
    entries_ = std::move(rebuilt);
    // Every tab starts again from its top.
    tabRows_.clear();
    view_.rows.position = 0;
    Answer answer;
    answer.layout = Controls::Create;
    return answer;
}

const PaletteGeometry& PaletteCore::Layout(Controls controls, SystemMetrics metrics) {
    metrics_ = metrics;
    // While the find box is open, the rows that do not match are left out like those the user hid.
    const NameQuery query(find_.open ? find_.typed : std::string_view());
    std::vector<RowInput> rows(entries_.count());
    std::vector<FoundRow> found;
    find_.hiddenMatches = 0;
    // Folds apply side by side while the find box is closed; a folded group's matches show.
    const bool folds = !find_.open && settings_.tabMode == 0;
    bool folded = false;
    for (std::size_t i = 0; i < entries_.count(); ++i) {
        const FilterEntry& entry = entries_[i];
        if (entry.group) folded = folds && entry.group->folded;
        const std::string_view words = learned_.WordsOf({entry.name, entry.kind});
        const MatchQuality quality = query.empty() ? MatchQuality::Contains : query.Quality(entry.name, words);
        const bool leftOut = entry.hidden || quality == MatchQuality::None || folded;
        rows[i] = {entry.name.size(), leftOut, entry.group.has_value(), entry.group && folded};
        if (!query.empty() && entry.hidden && quality != MatchQuality::None) ++find_.hiddenMatches;
        if (!leftOut && find_.markBest) found.push_back({i, entry.name, entry.kind, quality});
    }
    const std::size_t none = entries_.count();
    const std::size_t bestEntry =
        find_.markBest ? BestFound(found, learned_, FoldedText(find_.typed), today_).value_or(none) : none;
    find_.markBest = false;
    const bool tabMode = settings_.tabMode != 0;
    geometry_ = ComputeGeometry(rows, settings_.columnCount, tabMode, settings_.selectedColumn, metrics,
                                find_.open ? kFindBarHeight : 0);
    geometry_.keepWindow = find_.open;
    if (bestEntry != none) {
        const auto& places = geometry_.entryOfLaidOut;
        find_.mark = static_cast<std::size_t>(std::find(places.begin(), places.end(), bestEntry) - places.begin());
    }
    // The mark stays on a row: past the end on the last, on a heading on its group's first row.
    if (find_.open) find_.mark = std::min(find_.mark, geometry_.laidOut > 0 ? geometry_.laidOut - 1 : 0);
    if (find_.mark < geometry_.laidOut && (geometry_.entryOfLaidOut[find_.mark] & kHeadingPlace) != 0) ++find_.mark;
    // The marked row's tab, while the view follows the mark.
    if (tabMode && find_.followMark && geometry_.laidOut > 0)
        geometry_.selectedColumn = ColumnOf(geometry_, find_.mark);
    if (tabMode) settings_.selectedColumn = geometry_.selectedColumn;
    // Every row the user has not hidden gets its number, matching or not, so that it keeps its
    // controls' ids when the find box closes.
    if (controls == Controls::Create) {
        std::int32_t next = 0;
        for (FilterEntry& entry : entries_) entry.controlIndex = entry.hidden ? -1 : next++;
    }
    return geometry_;
}

const View& PaletteCore::Reframe(int clientWidth, int clientHeight) {
    // A view scrolled to the end stays at the end: its last row is in view after any relayout.
    const auto atEnd = [](const ScrollBar& bar) { return bar.last() > 0 && bar.position >= bar.last(); };
    const bool lastRow = atEnd(view_.rows), lastColumn = atEnd(view_.columns);
    view_ = FrameView(geometry_, clientWidth, clientHeight, view_.rows.position, view_.columns.position);
    if (lastRow) view_.rows.position = view_.rows.last();
    if (lastColumn) view_.columns.position = view_.columns.last();
    if (find_.followMark) KeepMarkInView();
    return view_;
}

std::optional<View> PaletteCore::OnScroll(bool vertical, ScrollRequest request, int track) {
    ScrollBar& bar = vertical ? view_.rows : view_.columns;
    const int target = ScrollTarget(bar, request, track);
    if (target == bar.position) return std::nullopt;
    bar.position = target;
    find_.followMark = false;
    return view_;
}

PaletteCore::Wheel PaletteCore::OnWheel(int delta, int linesPerNotch, bool sideways) {
    // The wheel scrolls the rows; where every row fits but the columns do not, and for a sideways
    // wheel, it scrolls the columns, one a notch.
    const bool rows = !sideways && view_.rows.last() > 0;
    ScrollBar& bar = rows ? view_.rows : view_.columns;
    if (bar.last() == 0) return {!sideways, std::nullopt};
    // A sideways wheel pushed right (a positive delta) goes on, as the wheel turned towards the user.
    const int steps = WheelRows(wheelRemainder_, sideways ? -delta : delta, rows ? linesPerNotch : 1, bar.page);
    const int target = std::clamp(bar.position + steps, 0, bar.last());
    if (target == bar.position) return {};
    bar.position = target;
    find_.followMark = false;
    return {false, view_};
}

// Neither opening nor closing the box changes a mark: no mirroring.
Answer PaletteCore::ToggleFind() {
    Answer answer;
    answer.layout = Controls::Keep;
    if (!find_.open) {
        find_ = {};
        find_.open = true;
        find_.row = view_.rows.position;
        find_.column = view_.columns.position;
        find_.selectedColumn = settings_.selectedColumn;
        // The row picked last is marked, in view, so that Enter switches it again.
        find_.markBest = find_.followMark = learned_.PickFor({}) != nullptr;
        answer.findBox = FindBoxStep::Open;
        return answer;
    }
    // The positions as they were, not a view of the matches: one at its end would stay at the end.
    view_ = {};
    view_.rows.position = find_.row;
    view_.columns.position = find_.column;
    settings_.selectedColumn = find_.selectedColumn;
    find_ = {};
    answer.findBox = FindBoxStep::Close;
    return answer;
}

Answer PaletteCore::OnFindText(std::string_view typed) {
    if (!find_.open) return {};
    find_.typed = typed;
    find_.markBest = find_.followMark = true;
    // The view starts from the first match, and goes on only as far as the best one needs.
    view_.rows.position = view_.columns.position = 0;
    Answer answer;
    answer.layout = Controls::Keep;
    return answer;
}

Answer PaletteCore::OnFindKey(FindKey key, bool saving, bool hasHostWindow) {
    if (!find_.open) return {};
    if (key == FindKey::Close) return ToggleFind();
    if (key == FindKey::HandOn) return {.handOnKey = true};
    const std::optional<std::size_t> mark = findMark();
    if (!mark) return {};
    if (key == FindKey::Next || key == FindKey::Previous) {
        // The next row either way, past a heading.
        const auto heading = [&](std::size_t place) { return (geometry_.entryOfLaidOut[place] & kHeadingPlace) != 0; };
        std::size_t next = *mark;
        do {
            next = key == FindKey::Next ? next + 1 : next - 1;
        } while (next < geometry_.laidOut && heading(next));
        if (next < geometry_.laidOut) find_.mark = next;
        return MarkIntoView();
    }
    const FilterEntry& entry = entries_[geometry_.entryOfLaidOut[*mark]];
    if (key == FindKey::EditWords) {
        find_.editing = EntryKey{entry.name, entry.kind};
        return {.findBox = FindBoxStep::EditWords};
    }
    if (saving || !hasHostWindow) return {};
    const bool button = key == FindKey::PressButton || key == FindKey::PressButtonStaying;
    const bool toggle = !button && entry.toggleCommand != 0;
    const std::uint32_t command = toggle ? entry.toggleCommand : entry.settingsCommand;
    Learn(entry, toggle);  // before the box closes: picked for its text
    // Done, as a launcher is: the box closes and the keyboard goes back where it came from.
    Answer answer = key == FindKey::PressStaying || key == FindKey::PressButtonStaying ? Answer{} : ToggleFind();
    answer.postCommand = command;
    answer.mirror = true;
    return answer;
}

std::optional<WordsEditor> PaletteCore::wordsEditor() const {
    if (!find_.editing) return std::nullopt;
    const std::optional<Rect> mark = Frame().mark;
    if (!mark) return std::nullopt;
    return WordsEditor{*mark, std::string(learned_.WordsOf(*find_.editing))};
}

Answer PaletteCore::OnWordsEdited(const std::optional<std::string>& words, bool editorHadKeyboard) {
    if (!find_.editing) return {};
    const EntryKey row = *std::exchange(find_.editing, std::nullopt);
    Answer answer;
    if (editorHadKeyboard) answer.findBox = FindBoxStep::Focus;
    if (!words || *words == learned_.WordsOf(row)) return answer;
    learned_.SetWords(row, *words);
    // The words may let the row in or out: the matches anew, the best marked.
    find_.markBest = find_.followMark = true;
    answer.layout = Controls::Keep;
    return answer;
}

// The marked row in view: its tab chosen, or the rows and columns scrolled just far enough.
Answer PaletteCore::MarkIntoView() {
    find_.followMark = true;
    Answer answer;
    const int column = ColumnOf(geometry_, find_.mark);
    if (geometry_.tabMode && column != settings_.selectedColumn) {
        answer.layout = Controls::Keep;
        return answer;
    }
    KeepMarkInView();
    answer.view = view_;
    return answer;
}

void PaletteCore::KeepMarkInView() {
    if (!findMark()) return;
    const int row = RowOf(geometry_, find_.mark);
    const int column = ColumnOf(geometry_, find_.mark);
    const auto within = [](ScrollBar& bar, int wanted) {
        if (wanted < bar.position) bar.position = wanted;
        if (wanted >= bar.position + bar.page) bar.position = wanted - bar.page + 1;
    };
    within(view_.rows, row);
    if (!geometry_.tabMode) within(view_.columns, column);
}

Answer PaletteCore::OnHeadingClick(std::size_t groupRow) {
    if (find_.open || settings_.tabMode != 0 || groupRow >= entries_.count() || !entries_[groupRow].group) return {};
    entries_[groupRow].group->folded = !entries_[groupRow].group->folded;
    return Relayout(Controls::Keep);
}

Answer PaletteCore::OnFindShortcut() {
    if (!find_.open) return ToggleFind();
    Answer answer;
    answer.findBox = FindBoxStep::Focus;
    return answer;
}

std::optional<std::size_t> PaletteCore::findMark() const {
    if (!find_.open || geometry_.rowCount == 0) return std::nullopt;
    return find_.mark;
}

OwnMenuMarks PaletteCore::MenuMarks() const {
    const std::int32_t columns = settings_.columnCount;
    const std::uint32_t item = columns >= 2 && columns <= 4
                                   ? KIRABO_CMD_ONE_COLUMN + static_cast<std::uint32_t>(columns) - 1
                                   : KIRABO_CMD_ONE_COLUMN;
    return {item, settings_.tabMode != 0, settings_.tabMode == 0 || !hasGroups()};
}

std::optional<FindKey> FindKeyOf(std::uint32_t virtualKey, bool shift, bool ctrl) {
    switch (virtualKey) {
        case kKeyDown:
            return FindKey::Next;
        case kKeyUp:
            return FindKey::Previous;
        case kKeyReturn:
            if (ctrl) return shift ? FindKey::PressButtonStaying : FindKey::PressStaying;
            return shift ? FindKey::PressButton : FindKey::Press;
        case kKeyEscape:
            return FindKey::Close;
        case kKeyF2:
            return FindKey::EditWords;
        default:
            break;
    }
    // The edit control's own with Ctrl: copy, paste, cut and undo (Ctrl+A the box answers itself).
    const bool boxKey = virtualKey == 'C' || virtualKey == 'V' || virtualKey == 'X' || virtualKey == kKeyZ;
    const bool letterOrDigit = (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
    if ((ctrl && letterOrDigit && !boxKey) || (virtualKey >= kKeyF1 && virtualKey <= kKeyF24)) return FindKey::HandOn;
    return std::nullopt;
}

void PaletteCore::OnPaletteSized(const Rect& before, const Rect& after) {
    const WindowSize size{after.width(), after.height()};
    if (place_.sizable && size != WindowSize{before.width(), before.height()}) sizes_.palette = size;
}

PaletteFit PaletteCore::FitWindow(FitInput input, WindowSize sizableExtra) {
    const Point from = windowHome_.FitFrom({input.window.left, input.window.top});
    input.window = {from.x, from.y, from.x + input.window.width(), from.y + input.window.height()};
    const PaletteFit fit = FitPalette(input, sizableExtra, sizes_.palette);
    windowHome_.fittedTo = Point{fit.fit.rect.left, fit.fit.rect.top};
    return fit;
}

void PaletteCore::Fit(const WindowFacts& now) {
    tabsWidth_ = geometry_.tabMode ? TabsWidth(now.lastTab) : 0;
    if (geometry_.keepWindow) {
        place_.window = now.window;
        place_.sizable = now.sizable;
    } else {
        const WindowSize menu = MenuBarItems(now.menuItems);
        const FitInput in{geometry_.windowWidth,
                          geometry_.windowHeight,
                          SmallestPalette(menu.width, menu.height, metrics_, tabsWidth_),
                          now.workArea,
                          now.window,
                          now.verticalBarWidth,
                          now.horizontalBarHeight,
                          std::nullopt};
        const PaletteFit fit = FitWindow(in, SizableExtra(now));
        place_ = {fit.fit.rect, fit.sizable, fit.limits};
    }
    FrameClient(now);
}

void PaletteCore::Resized(const WindowFacts& now) {
    place_.window = now.window;
    place_.sizable = now.sizable;
    FrameClient(now);
}

void PaletteCore::FrameClient(const WindowFacts& now) {
    bool vertical = false, horizontal = false;
    for (int pass = 0; pass < 3; ++pass) {
        const WindowSize client = ClientOf(now, place_, vertical, horizontal);
        Reframe(client.width, client.height);
        if (view_.rows.shown() == vertical && view_.columns.shown() == horizontal) break;
        vertical = view_.rows.shown();
        horizontal = view_.columns.shown();
    }
}

std::optional<SizeRange> PaletteCore::userSizeRange() const {
    if (!place_.limits) return std::nullopt;  // the fit gives limits to a palette that scrolls alone
    return UserSizeRange(*place_.limits);
}

void PaletteCore::Mirror(const std::vector<std::uint32_t>& menuStates) {
    const std::size_t count = std::min(menuStates.size(), entries_.count());
    for (std::size_t i = 0; i < count; ++i) entries_[i].checked = ShowsChecked(menuStates[i]);
}

PaletteFrame PaletteCore::Frame() const {
    PaletteFrame frame =
        ComputeFrame(geometry_, view_, entries_, {find_.open, findMark(), find_.hiddenMatches}, tabsWidth_);
    frame.window = place_.window;
    frame.sizable = place_.sizable;
    return frame;
}

bool ShowsChecked(std::uint32_t menuState) {
    return menuState != kMenuStateMissing && (menuState & kMenuStateChecked) != 0;
}

}  // namespace kirabo
