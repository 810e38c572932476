// The palette window's messages: each handled in one place, the core asked, and its answer carried
// out in one place (CarryOut).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "controls/InPlaceEditor.h"
#include "entries/ScanHostMenus.h"
#include "palette/Palette.h"
#include "reorder/ReorderDialog.h"
#include "resources/ResourceIds.h"

namespace kirabo {
namespace {

static_assert(kWheelDelta == WHEEL_DELTA);
static_assert(kMenuStateChecked == MF_CHECKED && kMenuStateMissing == static_cast<UINT>(-1));

constexpr char kResetQuestion[] = "フィルターの並びを初期化します。\r\n宜しいですか?";
constexpr char kResetGroupsQuestion[] = "フィルターの並びを初期化し、グループを削除します。\r\n宜しいですか?";
constexpr char kForgetFindsQuestion[] = "検索の履歴を消去します。\r\n宜しいですか?";
// Clipped by its siblings: the marked row's controls stand above it, and only its rim shows.
constexpr DWORD kMarkStyle = WS_CHILD | WS_CLIPSIBLINGS | SS_GRAYRECT;

// The rows' font; a heading's is bold and underlined, so that a group's name never reads as a row.
HFONT CreatePaletteFont(bool heading) {
    return CreateFontA(12, 0, 0, 0, heading ? FW_BOLD : FW_NORMAL, FALSE, heading, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_MODERN,
                       KIRABO_FONT_FACE);
}

// While the palette is active, this timer waits for the mouse to let go (a click, a drag of the
// caption, a menu) before the keyboard goes back where it was, or into the open find box.
constexpr UINT_PTR kReturnKeyboardTimer = 0x4B52;

bool PaletteFindKey(std::uint32_t key, bool shift, bool ctrl) { return FindKeyOf(key, shift, ctrl).has_value(); }

std::optional<ScrollRequest> RequestOf(WORD code) {
    switch (code) {
        case SB_LINEUP:
            return ScrollRequest::LineBack;
        case SB_LINEDOWN:
            return ScrollRequest::LineOn;
        case SB_PAGEUP:
            return ScrollRequest::PageBack;
        case SB_PAGEDOWN:
            return ScrollRequest::PageOn;
        case SB_TOP:
            return ScrollRequest::Start;
        case SB_BOTTOM:
            return ScrollRequest::End;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return ScrollRequest::Track;
        default:
            return std::nullopt;
    }
}

// Days since 1970 by the local calendar: what find's counts age by.
std::int32_t Today() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    FILETIME stamp = {};
    SystemTimeToFileTime(&now, &stamp);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime;
    constexpr ULONGLONG kTicksPerDay = 864000000000ULL, kDaysBefore1970 = 134774;  // from 1601
    return static_cast<std::int32_t>(ticks / kTicksPerDay - kDaysBefore1970);
}

Rect WindowRect(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return RectOf(frame);
}

}  // namespace

void PaletteWindow::Start(HWND window, HINSTANCE instance, host::HostServices* services, SettingsStore& store) {
    if (core_.running()) return;
    window_ = window;
    instance_ = instance;
    services_ = services;
    // The tab control, the tips and the reorder dialog's list view are common controls.
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    menu_ = LoadMenuA(instance, MAKEINTRESOURCEA(KIRABO_MENU_PALETTE));
    SetMenu(window, menu_);
    DrawMenuBar(window);
    hostMainWindow_ = GetWindow(window, GW_OWNER);
    font_ = CreatePaletteFont(false);
    headingFont_ = CreatePaletteFont(true);
    ScanHostMenus hostMenus(GetMenu(hostMainWindow_));
    core_.Start(store, hostMenus, Today());
    CarryOut({.layout = Controls::Create, .mirror = true}, window);
}

void PaletteWindow::Exit(SettingsStore& store) {
    try {
        core_.Exit(store);  // stores only what a start loaded
    } catch (...) {
    }
    CloseFind();
    DestroyPaletteControls();
    if (window_) KillTimer(window_, kReturnKeyboardTimer);
    keyboardHome_ = nullptr;
    if (window_) MakeSizable(window_, false);  // the host's window as it gave it
    for (HFONT* font : {&font_, &headingFont_}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
    // The host may keep its window and start the plug-in again: no menu may outlive this run.
    if (menu_) {
        if (window_ && GetMenu(window_) == menu_) SetMenu(window_, nullptr);
        DestroyMenu(menu_);
    }
    menu_ = nullptr;
    hostMainWindow_ = nullptr;
}

void PaletteWindow::CarryOut(const Answer& answer, HWND hwnd) {
    if (answer.openReorder) {
        const ReorderOutcome outcome =
            RunReorderDialog(instance_, window_, core_.RowsToReorder(), core_.GroupsToReorder(), core_.reorderSize());
        CarryOut(core_.OnReorderClosed(outcome.result, outcome.size), hwnd);
    }
    if (answer.askForgetFinds) {
        core_.OnForgetFindsAnswer(
            MessageBoxA(hwnd, kForgetFindsQuestion, KIRABO_PLUGIN_NAME, MB_ICONQUESTION | MB_YESNO) == IDYES);
    }
    if (answer.askReset) {
        const char* question = core_.hasGroups() ? kResetGroupsQuestion : kResetQuestion;
        const bool yes = MessageBoxA(hwnd, question, KIRABO_PLUGIN_NAME, MB_ICONQUESTION | MB_YESNO) == IDYES;
        ScanHostMenus hostMenus(GetMenu(hostMainWindow_));
        CarryOut(core_.OnResetAnswer(yes, hostMenus), hwnd);
    }
    if (answer.findBox == FindBoxStep::Open) {
        find_.Create(window_, instance_, font_, KIRABO_FIND_BOX, KIRABO_FIND_COUNT, 0, PaletteFindKey);
        findMark_ =
            CreateWindowExA(0, "STATIC", "", kMarkStyle, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(KIRABO_FIND_MARK)), instance_, nullptr);
        if (find_.box()) SetFocus(find_.box());
    }
    if (answer.findBox == FindBoxStep::Focus && find_.box()) {
        SetFocus(find_.box());
        SendMessageA(find_.box(), EM_SETSEL, 0, -1);
    }
    if (answer.findBox == FindBoxStep::EditWords && !wordsEditor_) {
        if (const std::optional<WordsEditor> editor = core_.wordsEditor()) {
            OpenInPlaceEditor(wordsEditor_, window_, window_, editor->place, editor->words.c_str(), font_,
                              kWordsBytes - 1);
        }
    }
    if (answer.findBox == FindBoxStep::Close) {
        CloseFind();
        GiveKeyboardBack();
    }
    // The marks are read before the frame is made, so that one frame shows the event whole; the
    // command posted is carried out by the host later, which tells the palette when its menu changes.
    if (answer.mirror) MirrorCheckStates();
    if (answer.layout) {
        LayoutPalette(*answer.layout);
    } else if (answer.view || answer.mirror) {
        Apply();
    }
    if (answer.postCommand) PostMessageA(hostMainWindow_, WM_COMMAND, answer.postCommand, 0);
}

// Check boxes from the host's menu marks, and the own menu's marks from the settings.
void PaletteWindow::MirrorCheckStates() {
    if (!hostMainWindow_) return;
    HMENU hostMenu = GetMenu(hostMainWindow_);
    std::vector<std::uint32_t> states;
    states.reserve(core_.entries().count());
    for (const FilterEntry& entry : core_.entries())
        states.push_back(GetMenuState(hostMenu, entry.toggleCommand, MF_BYCOMMAND));
    core_.Mirror(states);
    const OwnMenuMarks marks = core_.MenuMarks();
    CheckMenuRadioItem(menu_, KIRABO_CMD_ONE_COLUMN, KIRABO_CMD_FOUR_COLUMNS, marks.columnItem, MF_BYCOMMAND);
    CheckMenuItem(menu_, KIRABO_CMD_TAB_MODE, MF_BYCOMMAND | (marks.tabMode ? MF_CHECKED : MF_UNCHECKED));
    for (UINT item = KIRABO_CMD_ONE_COLUMN; item <= KIRABO_CMD_FOUR_COLUMNS; ++item)
        EnableMenuItem(menu_, item, MF_BYCOMMAND | (marks.columnsApply ? MF_ENABLED : MF_GRAYED));
}

bool PaletteWindow::IsSaving(void* editp) const {
    return services_ && services_->is_saving && services_->is_saving(editp) == 1;
}

// The keyboard belongs to the host: the palette keeps it only in its open find box. Activated by a
// click, the palette gives it back once the mouse has let go.
void PaletteWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        KillTimer(window_, kReturnKeyboardTimer);
        return;
    }
    RememberKeyboardHome(reinterpret_cast<HWND>(lParam));
    // With the find box open, the timer gives the box back the keyboard a click took (a tab takes
    // it as the mouse goes down).
    SetTimer(window_, kReturnKeyboardTimer, USER_TIMER_MINIMUM, nullptr);
}

// The palette's own dialogs and questions are not where the keyboard goes back to.
void PaletteWindow::RememberKeyboardHome(HWND active) {
    if (active && active != window_ && GetWindow(active, GW_OWNER) != window_) keyboardHome_ = active;
}

void PaletteWindow::CloseFind() {
    if (HWND editor = std::exchange(wordsEditor_, nullptr)) DestroyWindow(editor);  // dropped with the box
    find_.Destroy();
    if (findMark_) DestroyWindow(findMark_);
    findMark_ = nullptr;
}

HWND PaletteWindow::FindKeyboard() const { return wordsEditor_ ? wordsEditor_ : find_.box(); }

void PaletteWindow::ReturnKeyboard() {
    if (find_.open()) {
        KillTimer(window_, kReturnKeyboardTimer);
        if (GetFocus() != FindKeyboard()) SetFocus(FindKeyboard());
        return;
    }
    if (GetCapture()) return;  // a button, the caption, a scroll bar or a menu is held: later
    // Given back, the palette is inactive, which stops the timer.
    if (GetActiveWindow() == window_) GiveKeyboardBack();
}

void PaletteWindow::GiveKeyboardBack() {
    const bool homeTakes =
        keyboardHome_ && IsWindow(keyboardHome_) && IsWindowVisible(keyboardHome_) && IsWindowEnabled(keyboardHome_);
    HWND home = homeTakes ? keyboardHome_ : hostMainWindow_;
    if (home) SetActiveWindow(home);
}

// The host's key for find, from wherever the user is: the palette shown, in front, the box open
// with the keyboard in it.
void PaletteWindow::OnFindShortcut(HWND hwnd) {
    RememberKeyboardHome(GetActiveWindow());
    if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);
    SetActiveWindow(window_);
    CarryOut(core_.OnFindShortcut(), hwnd);
}

void PaletteWindow::OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam, void* editp) {
    if (LOWORD(wParam) == KIRABO_FIND_BOX) {
        if (HIWORD(wParam) == EN_CHANGE && find_.OnChange()) AnswerFindText(hwnd);
        return;
    }
    if (LOWORD(wParam) == KIRABO_GROUP_HEADING) {  // headings share the id: the one clicked is its window
        const auto clicked = std::find_if(pool_.begin(), pool_.end(), [&](const PooledRow& row) {
            return row.main == reinterpret_cast<HWND>(lParam) && row.shows && row.shows->heading;
        });
        if (HIWORD(wParam) == STN_CLICKED && clicked != pool_.end()) {
            CarryOut(core_.OnHeadingClick(clicked->shows->groupRow), hwnd);
        }
        ReturnKeyboard();
        return;
    }
    if (LOWORD(wParam) == KIRABO_WORDS_EDITOR) return;  // its words are taken as it ends
    CarryOut(core_.OnCommand(static_cast<std::uint32_t>(wParam), IsSaving(editp), hostMainWindow_ != nullptr), hwnd);
    if (lParam != 0) ReturnKeyboard();  // a row's check box or button was clicked
}

void PaletteWindow::AnswerFindText(HWND hwnd) {
    if (const std::optional<std::string> typed = find_.TakeText()) CarryOut(core_.OnFindText(*typed), hwnd);
}

void PaletteWindow::OnFindKey(HWND hwnd, WPARAM key, LPARAM held, void* editp) {
    const std::optional<FindKey> meaning =
        FindKeyOf(static_cast<std::uint32_t>(key), (held & kFindKeyShift) != 0, (held & kFindKeyCtrl) != 0);
    if (!meaning) return;
    AnswerFindText(hwnd);  // a key acts on the matches of the text as it stands
    const Answer answer = core_.OnFindKey(*meaning, IsSaving(editp), hostMainWindow_ != nullptr);
    CarryOut(answer, hwnd);
    if (answer.handOnKey && hostMainWindow_) {  // as a key pressed in the palette goes on
        const auto scanCode = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
        SendMessageA(hostMainWindow_, WM_KEYDOWN, key, 1 | (scanCode << 16));
    }
}

void PaletteWindow::EndWordsEdit(HWND hwnd, bool keep) {
    HWND editor = std::exchange(wordsEditor_, nullptr);
    if (!editor) return;  // gone with the box, or ended already
    const bool hadKeyboard = GetFocus() == editor;
    std::optional<std::string> words;
    if (keep) {
        char text[kWordsBytes] = {};
        GetWindowTextA(editor, text, sizeof text);
        words = text;
    }
    DestroyWindow(editor);
    CarryOut(core_.OnWordsEdited(words, hadKeyboard), hwnd);
}

void PaletteWindow::OnNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !columnTabs_) return;
    if (header->code == static_cast<UINT>(NM_CLICK) && header->hwndFrom == columnTabs_) ReturnKeyboard();
    if (header->code != static_cast<UINT>(TCN_SELCHANGE)) return;
    const auto selection = static_cast<std::int32_t>(SendMessageA(columnTabs_, TCM_GETCURSEL, 0, 0));
    CarryOut(core_.OnTabChange(selection), window_);
}

void PaletteWindow::OnScroll(UINT message, WPARAM wParam) {
    const bool vertical = message == WM_VSCROLL;
    const std::optional<ScrollRequest> request = RequestOf(LOWORD(wParam));
    if (!request) return;
    // The thumb being dragged: its 32-bit position (the message carries 16 bits of it). Let go:
    // where the message says it ended.
    int track = HIWORD(wParam);
    if (LOWORD(wParam) == SB_THUMBTRACK) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window_, vertical ? SB_VERT : SB_HORZ, &info);
        track = info.nTrackPos;
    }
    if (core_.OnScroll(vertical, *request, track)) {
        Apply(LOWORD(wParam) != SB_THUMBTRACK);
    } else if (LOWORD(wParam) == SB_THUMBPOSITION) {  // let go on its own row: the thumb goes back
        SetBar(window_, vertical ? SB_VERT : SB_HORZ, vertical ? applied_.rowBar : applied_.columnBar);
    }
}

bool PaletteWindow::OnWheel(WPARAM wParam, bool sideways) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int perNotch = lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(std::min<UINT>(lines, 1u << 16));
    const PaletteCore::Wheel wheel = core_.OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), perNotch, sideways);
    if (wheel.view) Apply();
    return !wheel.handOn;
}

void PaletteWindow::OnSize() {
    if (applying_) return;
    core_.Resized(ReadWindow());
    Apply();
}

void PaletteWindow::OnSizing(bool ends) {
    if (!ends) {
        beforeSizing_ = WindowRect(window_);
    } else {
        core_.OnPaletteSized(beforeSizing_, WindowRect(window_));
    }
}

void PaletteWindow::PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* editp) {
    if (!core_.running()) return;
    try {
        switch (message) {
            case WM_NOTIFY:
                OnNotify(lParam);
                break;
            case WM_KEYDOWN:
            case WM_KEYUP:
                SendMessageA(GetWindow(hwnd, GW_OWNER), message, wParam, lParam);
                break;
            case WM_MOUSEWHEEL:
                if (!OnWheel(wParam, false)) SendMessageA(GetWindow(hwnd, GW_OWNER), message, wParam, lParam);
                break;
            case WM_MOUSEHWHEEL:
                OnWheel(wParam, true);
                break;
            case WM_VSCROLL:
            case WM_HSCROLL:
                if (lParam == 0) OnScroll(message, wParam);  // the window's own bars
                break;
            case WM_SIZE:
                OnSize();
                break;
            case WM_GETMINMAXINFO:
                if (const std::optional<SizeRange> range = core_.userSizeRange(); lParam && range) {
                    auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
                    limits.ptMinTrackSize = {range->smallest.width, range->smallest.height};
                    limits.ptMaxTrackSize = {range->largest.width, range->largest.height};
                }
                break;
            case WM_ENTERSIZEMOVE:
            case WM_EXITSIZEMOVE:
                OnSizing(message == WM_EXITSIZEMOVE);
                break;
            case WM_COMMAND:
                OnCommand(hwnd, wParam, lParam, editp);
                break;
            case kMessageFindKey:
                OnFindKey(hwnd, wParam, lParam, editp);
                break;
            case kMessageFindText:
                AnswerFindText(hwnd);
                break;
            case WM_SETFOCUS:
                if (find_.open()) SetFocus(FindKeyboard());  // the open box keeps the keyboard
                break;
            case kMessageEndEdit:
                EndWordsEdit(hwnd, wParam != 0);
                break;
            case WM_ACTIVATE:
                OnActivate(wParam, lParam);
                break;
            case WM_TIMER:
                if (wParam == kReturnKeyboardTimer) ReturnKeyboard();
                break;
            case WM_SHOWWINDOW:
                // Shown again with the box open: the box takes the keyboard, as when it was left.
                if (wParam && find_.open()) PostMessageA(hwnd, kMessageFindBoxShown, 0, 0);
                break;
            case kMessageFindBoxShown:
                if (find_.open()) OnFindShortcut(hwnd);
                break;
            case host::kMessageMenuItem:
                if (wParam == KIRABO_FIND_ITEM_ID) OnFindShortcut(hwnd);
                break;
            case host::kMessageMenuChanged:
                MirrorCheckStates();
                Apply();
                break;
            default:
                break;
        }
    } catch (...) {
        // Out of memory: the message is lost, the host and the palette go on.
    }
}

}  // namespace kirabo
