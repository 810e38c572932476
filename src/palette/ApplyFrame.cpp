// The frame carried out by difference with the one applied last: the window placed, its scroll bars
// set, controls moved and sized (always both), relabelled, checked, shown and hidden. Rows take their
// controls from a pool, so that once it covers the screen a keystroke, a wheel step or a scroll makes
// and destroys no window.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "palette/CommandRouting.h"
#include "palette/Palette.h"

namespace kirabo {
namespace {

constexpr DWORD kCheckBoxStyle = WS_CHILD | BS_CHECKBOX;
constexpr DWORD kLabelStyle = WS_CHILD | SS_CENTERIMAGE;
constexpr DWORD kHeadingStyle = kLabelStyle | SS_NOTIFY;  // a click folds or opens its group
constexpr DWORD kPushButtonStyle = WS_CHILD | BS_PUSHBUTTON;
// A control out of sight carries an id beyond 16 bits: no command names it, and GetDlgItem finds
// only the controls on screen.
constexpr LONG_PTR kIdOutOfSight = 0x10000;
// A moved control repaints in full: the bits a move would otherwise copy along may already show
// another row that moved into the old place first.
constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_SHOWWINDOW;

// A control made where it goes, with its text and id, and shown: as cheap as a row's first
// showing can be.
HWND MakeControl(HWND window, HINSTANCE instance, HFONT font, const char* windowClass, DWORD style, const char* text,
                 const Rect& box, std::uint32_t id) {
    HWND control = CreateWindowExA(0, windowClass, text, style, box.left, box.top, box.width(), box.height(), window,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (!control) return nullptr;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    // A new child comes last in the z-order: rows stand above the tab control and the mark.
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return control;
}

void Place(HWND control, const Rect& box, HWND after = nullptr, UINT flags = kPlaceFlags) {
    if (control) SetWindowPos(control, after, box.left, box.top, box.width(), box.height(), flags);
}

void SetId(HWND control, std::uint32_t id) {
    if (control) SetWindowLongPtrA(control, GWLP_ID, static_cast<LONG_PTR>(id));
}

void Hide(HWND control) {
    if (!control) return;
    ShowWindow(control, SW_HIDE);
    SetWindowLongPtrA(control, GWLP_ID, kIdOutOfSight);
}

std::uint32_t MainIdOf(const RowFrame& row) {
    return row.heading ? KIRABO_GROUP_HEADING : MainControlId(row.controlIndex);
}

bool SameText(const char* a, const char* b) { return a == b || (a && b && std::strcmp(a, b) == 0); }

}  // namespace

void SetBar(HWND window, int which, const ScrollBar& bar) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const bool shown = (style & (which == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    if (!shown && bar.total <= bar.page) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(bar.total - 1, 0);
    info.nPage = static_cast<UINT>(bar.page);
    info.nPos = bar.position;
    SetScrollInfo(window, which, &info, TRUE);
}

namespace {

// Painting held back while a frame is applied, and the whole palette painted at once when the
// outermost application ends, however it ends: no screen ever shows half of one frame and half of
// another, and the frame shows before the next input is read. A scroll bar that comes or goes
// resizes the client area and applies a frame within the first. A hidden palette is left alone:
// letting its painting go would make it visible.
class PaintingHeld {
public:
    PaintingHeld(HWND window, int& depth)
        : window_(window), depth_(depth), holds_(depth_++ == 0 && IsWindowVisible(window)) {
        if (holds_) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~PaintingHeld() {
        --depth_;
        if (!holds_) return;
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    PaintingHeld(const PaintingHeld&) = delete;
    PaintingHeld& operator=(const PaintingHeld&) = delete;

private:
    HWND window_;
    int& depth_;
    bool holds_;
};

// A flag set for as long as the guard lives, however its scope ends.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Raised() { flag_ = was_; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
    bool was_;
};

}  // namespace

void PaletteWindow::Apply(bool setBars) {
    const Raised applying(applying_);
    std::optional<PaintingHeld> held;
    // Windows may give the client area another size than the frame foresaw (a menu bar that wraps,
    // say): the frame of the client area it has then follows, painted with the first.
    for (int pass = 0; pass < 2; ++pass) {
        const PaletteFrame next = core_.Frame();
        if (next == applied_) return;  // a mirroring that found every mark as it was, say
        if (!held) held.emplace(window_, paintHeld_);
        ApplyWindow(next);
        ApplyRows(next);
        ApplyTabs(next);
        ApplyFind(next);
        ApplyBars(next, setBars);
        RECT client = {};
        GetClientRect(window_, &client);
        if (RectOf(client) == next.client) return;
        core_.Resized(ReadWindow());
    }
}

void PaletteWindow::ApplyWindow(const PaletteFrame& next) {
    if (next.sizable != applied_.sizable) MakeSizable(window_, next.sizable);
    if (next.window != applied_.window) {
        const bool stays = next.window.left == applied_.window.left && next.window.top == applied_.window.top;
        SetWindowPos(window_, HWND_TOP, next.window.left, next.window.top, next.window.width(), next.window.height(),
                     stays ? SWP_NOMOVE : 0);
    }
    applied_.window = next.window;
    applied_.sizable = next.sizable;
}

void PaletteWindow::ApplyRows(const PaletteFrame& next) {
    // A row already on screen keeps its controls; the others take those left free, or new ones.
    constexpr std::size_t kNone = ~std::size_t{0};
    std::vector<bool> taken(pool_.size(), false);
    std::vector<std::size_t> slotFor(next.rows.size(), kNone);
    for (std::size_t i = 0; i < next.rows.size(); ++i) {
        const RowFrame& row = next.rows[i];
        for (std::size_t s = 0; s < pool_.size(); ++s) {
            const std::optional<RowFrame>& shows = pool_[s].shows;
            if (taken[s] || !shows || shows->controlIndex != row.controlIndex || shows->checkBox != row.checkBox ||
                shows->heading != row.heading || (row.heading && shows->groupRow != row.groupRow)) {
                continue;
            }
            taken[s] = true;
            slotFor[i] = s;
            break;
        }
    }
    for (std::size_t i = 0; i < next.rows.size(); ++i) {
        if (slotFor[i] == kNone) slotFor[i] = FreeRow(taken, next.rows[i]);
    }
    for (std::size_t s = 0; s < pool_.size(); ++s) {
        if (!taken[s]) PutAway(pool_[s]);
    }
    for (std::size_t i = 0; i < next.rows.size(); ++i) ShowRow(pool_[slotFor[i]], next.rows[i]);
    applied_.rows = next.rows;
}

void PaletteWindow::ShowTabLabels(const std::vector<std::string>& labels) {
    if (!columnTabs_ || labels == applied_.tabLabels) return;
    // Emptied, a tab control keeps its focused tab, outlined on whichever tab takes that place; with
    // nothing selected first it has none, as a new one.
    SendMessageA(columnTabs_, TCM_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(columnTabs_, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t c = 0; c < labels.size(); ++c) {
        std::string label = labels[c];
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = label.data();
        SendMessageA(columnTabs_, TCM_INSERTITEMA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item));
    }
    applied_.tabLabels = labels;
    applied_.selectedTab = -1;
}

void PaletteWindow::ApplyTabs(const PaletteFrame& next) {
    if (!columnTabs_) return;
    ShowTabLabels(next.tabLabels);
    // Placed before a tab is selected: the strip holds every tab, and none scrolls the first away.
    if (next.tabsShown != applied_.tabsShown || next.tabs != applied_.tabs) {
        Place(columnTabs_, next.tabs, HWND_BOTTOM, SWP_NOACTIVATE | (next.tabsShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    if (next.tabsShown && next.selectedTab != applied_.selectedTab) {
        SendMessageA(columnTabs_, TCM_SETCURSEL, static_cast<WPARAM>(next.selectedTab), 0);
    }
    applied_.tabsShown = next.tabsShown;
    applied_.tabs = next.tabs;
    applied_.selectedTab = next.selectedTab;
}

void PaletteWindow::ApplyFind(const PaletteFrame& next) {
    if (next.findOpen && (!applied_.findOpen || next.findBox != applied_.findBox))
        find_.Place(next.findBox, next.findCount);
    if (next.findOpen) find_.ShowCount(next.countText);
    if (findMark_ && next.mark && next.mark != applied_.mark) {
        // Below every row, so that the marked row's controls paint over all of it but its rim; above the tabs.
        Place(findMark_, *next.mark, HWND_BOTTOM, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        if (next.tabsShown && columnTabs_) {
            SetWindowPos(columnTabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    } else if (findMark_ && !next.mark) {
        ShowWindow(findMark_, SW_HIDE);
    }
    applied_.findOpen = next.findOpen;
    applied_.findBox = next.findBox;
    applied_.findCount = next.findCount;
    applied_.countText = next.countText;
    applied_.mark = next.mark;
}

void PaletteWindow::ApplyBars(const PaletteFrame& next, bool setBars) {
    if (!setBars) return;  // the user holds a thumb: the bar is theirs until they let go
    if (next.rowBar != applied_.rowBar) SetBar(window_, SB_VERT, next.rowBar);
    if (next.columnBar != applied_.columnBar) SetBar(window_, SB_HORZ, next.columnBar);
    applied_.rowBar = next.rowBar;
    applied_.columnBar = next.columnBar;
}

std::size_t PaletteWindow::FreeRow(std::vector<bool>& taken, const RowFrame& shows) {
    for (std::size_t s = 0; s < pool_.size(); ++s) {
        if (taken[s] || pool_[s].checkBox != shows.checkBox || pool_[s].heading != shows.heading) continue;
        taken[s] = true;
        return s;
    }
    PooledRow row;
    row.checkBox = shows.checkBox;
    row.heading = shows.heading;
    row.main =
        MakeControl(window_, instance_, shows.heading ? headingFont_ : font_, shows.checkBox ? "BUTTON" : "STATIC",
                    shows.checkBox  ? kCheckBoxStyle
                    : shows.heading ? kHeadingStyle
                                    : kLabelStyle,
                    shows.text.c_str(), shows.main, MainIdOf(shows));
    if (shows.buttonText) {
        row.button = MakeControl(window_, instance_, font_, "BUTTON", kPushButtonStyle, shows.buttonText, shows.button,
                                 ButtonControlId(shows.controlIndex));
    }
    if (row.main && shows.checked) SendMessageA(row.main, BM_SETCHECK, BST_CHECKED, 0);
    Tip(row.main, std::string(), shows.fullName);
    row.shows = shows;
    pool_.push_back(row);
    taken.push_back(true);
    return pool_.size() - 1;
}

void PaletteWindow::ShowRow(PooledRow& row, const RowFrame& shows) {
    if (row.shows == shows) return;
    const RowFrame* was = row.shows ? &*row.shows : nullptr;
    if (!was || was->controlIndex != shows.controlIndex) {
        SetId(row.main, MainIdOf(shows));
        if (shows.buttonText) SetId(row.button, ButtonControlId(shows.controlIndex));
    }
    if (!was || was->text != shows.text) SetWindowTextA(row.main, shows.text.c_str());
    if (!was || was->main != shows.main) Place(row.main, shows.main);
    if (shows.checkBox && (!was || was->checked != shows.checked)) {
        SendMessageA(row.main, BM_SETCHECK, shows.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    Tip(row.main, was ? was->fullName : std::string(), shows.fullName);
    if (shows.buttonText) {
        if (!row.button) {
            row.button = MakeControl(window_, instance_, font_, "BUTTON", kPushButtonStyle, shows.buttonText,
                                     shows.button, ButtonControlId(shows.controlIndex));
        } else {
            if (!was || !was->buttonText) SetId(row.button, ButtonControlId(shows.controlIndex));
            if (!was || !SameText(was->buttonText, shows.buttonText)) SetWindowTextA(row.button, shows.buttonText);
            if (!was || !was->buttonText || was->button != shows.button) Place(row.button, shows.button);
        }
    } else if (!was || was->buttonText) {
        Hide(row.button);
    }
    row.shows = shows;
}

void PaletteWindow::PutAway(PooledRow& row) {
    if (!row.shows) return;
    Tip(row.main, row.shows->fullName, std::string());
    Hide(row.main);
    Hide(row.button);
    row.shows.reset();
}

// A cut name shows whole when the pointer rests on its row.
void PaletteWindow::Tip(HWND control, const std::string& before, const std::string& after) {
    if (before == after || !control) return;
    if (!tips_ && !after.empty()) {
        tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_,
                                nullptr);
    }
    if (!tips_) return;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(after.c_str());
    if (before.empty()) {
        SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (after.empty()) {
        SendMessageA(tips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace kirabo
