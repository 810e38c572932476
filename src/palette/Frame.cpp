#include "palette/Frame.h"

#include <algorithm>

#include "controls/FindCount.h"
#include "entries/NameMatch.h"
#include "palette/CommandRouting.h"

namespace kirabo {
namespace {

constexpr char kEllipsis[] = "\x81\x63";  // …
constexpr int kMarkMargin = 2;            // the mark stands this far around the marked row

}  // namespace

std::string RowText(std::string_view name) {
    if (name.size() <= kNameCapBytes) return std::string(name);
    return std::string(CutAtCharacter(name, kNameCapBytes - (sizeof kEllipsis - 1))) + kEllipsis;
}

std::vector<std::string> TabLabels(const PaletteGeometry& g, const EntryList& entries) {
    constexpr char kTabLabelSuffix[] = "\x97\xf1\x96\xda";  // 列目, after the column's number
    std::vector<std::string> labels;
    if (!g.tabMode) return labels;
    for (std::size_t row : g.groupRows) labels.push_back(entries[row].group->name);
    for (int c = 0; g.groupRows.empty() && c < g.tabCount; ++c)
        labels.push_back(std::to_string(c + 1) + kTabLabelSuffix);
    return labels;
}

PaletteFrame ComputeFrame(const PaletteGeometry& g, const View& view, const EntryList& entries, const FindState& find,
                          int tabsWidth) {
    PaletteFrame frame;
    frame.client = {0, 0, view.clientWidth, view.clientHeight};
    frame.rowBar = view.rows;
    frame.columnBar = view.columns;
    for (std::size_t laidOut : RowsOnScreen(g, view)) {
        const Point at = *ViewOfRow(g, view, laidOut);
        RowFrame row;
        if ((g.entryOfLaidOut[laidOut] & kHeadingPlace) != 0) {  // a label across the row's whole width
            row.heading = true;
            row.controlIndex = -1;
            row.groupRow = g.entryOfLaidOut[laidOut] & ~kHeadingPlace;
            const GroupHeading& group = *entries[row.groupRow].group;
            row.text = RowText((group.folded ? kFoldedMark : kOpenMark) + group.name);
            row.main = Rect::Sized(at.x, at.y, g.nameWidth + kButtonWidth, kControlHeight);
            frame.rows.push_back(std::move(row));
            continue;
        }
        const FilterEntry& entry = entries[g.entryOfLaidOut[laidOut]];
        if (!RowGetsControls(entry.controlIndex)) continue;
        row.controlIndex = entry.controlIndex;
        row.checkBox = entry.toggleCommand != 0;
        row.text = RowText(entry.name);
        if (row.text.size() != entry.name.size()) row.fullName = entry.name;
        row.main = Rect::Sized(at.x, at.y, g.nameWidth, kControlHeight);
        if (entry.settingsCommand != 0) {
            row.buttonText = entry.kind != kKindDisplayTool ? kSettingsText : kDisplayText;
            row.button = Rect::Sized(at.x + g.nameWidth, at.y, kButtonWidth, kControlHeight);
        }
        row.checked = entry.checked;
        frame.rows.push_back(std::move(row));
    }
    if (g.tabMode) {
        frame.tabsShown = true;
        frame.tabs = Rect::Sized(kTabsX, kTabsY + g.top, std::max(g.nameWidth + kTabsExtraWidth, tabsWidth),
                                 view.clientHeight - kTabsHeightShrink - g.top);
        frame.tabLabels = TabLabels(g, entries);
        frame.selectedTab = g.selectedColumn;
    } else {
        frame.tabs = {kHiddenTabsLeft, kTabsY, g.nameWidth + kHiddenTabsExtraRight, kHiddenTabsBottom};
    }
    if (find.open) {
        frame.findOpen = true;
        // Matches the user hid are counted too, so that the user knows to show them in the reorder dialog.
        const int countWidth = find.hiddenMatches > 0 ? 2 * kFindCountWidth : kFindCountWidth;
        const int countLeft = view.clientWidth - kFindBoxLeft - countWidth;
        frame.findBox = Rect::Sized(kFindBoxLeft, kFindBoxTop, countLeft - 2 * kFindBoxLeft, kFindBoxHeight);
        frame.findCount = Rect::Sized(countLeft, kFindBoxTop, countWidth, kFindBoxHeight);
        frame.countText = FindCountText(g.rowCount, find.hiddenMatches);
        if (const std::optional<Point> at = find.mark ? ViewOfRow(g, view, *find.mark) : std::nullopt) {
            frame.mark = Rect::Sized(at->x - kMarkMargin, at->y - kMarkMargin,
                                     g.nameWidth + kButtonWidth + 2 * kMarkMargin, kControlHeight + 2 * kMarkMargin);
        }
    }
    return frame;
}

}  // namespace kirabo
