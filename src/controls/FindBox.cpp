#include "controls/FindBox.h"

#include <commctrl.h>

#include "controls/ControlFacts.h"

namespace kirabo {
namespace {

static_assert(kKeyReturn == VK_RETURN && kKeyEscape == VK_ESCAPE && kKeySpace == VK_SPACE && kKeyEnd == VK_END &&
              kKeyHome == VK_HOME && kKeyUp == VK_UP && kKeyDown == VK_DOWN && kKeyF2 == VK_F2 && kKeyF3 == VK_F3 &&
              kKeyDelete == VK_DELETE);

constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kCountStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_RIGHT;
constexpr UINT_PTR kAnswerTimer = 1;

bool Wanted(DWORD_PTR data, WPARAM key) {
    return reinterpret_cast<FindBoxControl::WantsKey>(data)(static_cast<std::uint32_t>(key));
}

LRESULT CALLBACK FindBoxKeys(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(box, FindBoxKeys, 0);
            break;
        case WM_GETDLGCODE:  // in a dialog, its keys are the box's, not OK's or Cancel's
            if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                Wanted(data, reinterpret_cast<const MSG*>(lParam)->wParam)) {
                return DLGC_WANTALLKEYS;
            }
            break;
        case WM_KEYDOWN:
            if (Wanted(data, wParam)) {
                SendMessageA(GetParent(box), kMessageFindKey, wParam, GetKeyState(VK_SHIFT) < 0 ? 1 : 0);
                return 0;
            }
            break;
        case WM_CHAR:  // the edit control would only beep at a key handled at its press
            if ((wParam == kCharReturn && Wanted(data, kKeyReturn)) ||
                (wParam == kCharEscape && Wanted(data, kKeyEscape))) {
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam != kAnswerTimer) break;
            KillTimer(box, kAnswerTimer);
            SendMessageA(GetParent(box), kMessageFindText, 0, 0);
            return 0;
        default:
            break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

HWND CreateChild(HWND parent, HINSTANCE instance, HFONT font, const char* windowClass, DWORD style, int id) {
    HWND child = CreateWindowExA(0, windowClass, "", style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return child;
}

}  // namespace

void FindBoxControl::Create(HWND parent, HINSTANCE instance, HFONT font, int boxId, int countId, DWORD style,
                            WantsKey wantsKey) {
    Destroy();
    box_ = CreateChild(parent, instance, font, "EDIT", kBoxStyle | style, boxId);
    count_ = CreateChild(parent, instance, font, "STATIC", kCountStyle, countId);
    if (box_) SetWindowSubclass(box_, FindBoxKeys, 0, reinterpret_cast<DWORD_PTR>(wantsKey));
}

void FindBoxControl::Destroy() {
    for (HWND* child : {&box_, &count_}) {
        if (*child) DestroyWindow(*child);
        *child = nullptr;
    }
    countText_.clear();
    taken_.clear();
}

bool FindBoxControl::OnChange() {
    if (!box_) return false;
    MSG waiting;
    // A key still to come would make this text stale: the answer waits until the keys are in (a
    // timer's message comes only once the queue holds no other).
    if (PeekMessageA(&waiting, box_, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE)) {
        SetTimer(box_, kAnswerTimer, USER_TIMER_MINIMUM, nullptr);
        return false;
    }
    return true;
}

std::optional<std::string> FindBoxControl::TakeText() {
    if (!box_) return std::nullopt;
    const int length = GetWindowTextLengthA(box_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(box_, text.data(), length + 1)));
    if (text == taken_) return std::nullopt;
    taken_ = text;
    return text;
}

void FindBoxControl::ShowCount(const std::string& text) {
    if (!count_ || text == countText_) return;
    countText_ = text;
    SetWindowTextA(count_, text.c_str());
}

void FindBoxControl::Place(const Rect& box, const Rect& count) {
    constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (box_) SetWindowPos(box_, nullptr, box.left, box.top, box.width(), box.height(), kFlags);
    if (count_) SetWindowPos(count_, nullptr, count.left, count.top, count.width(), count.height(), kFlags);
}

}  // namespace kirabo
