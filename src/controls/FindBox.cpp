#include "controls/FindBox.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

#include "controls/BoxKeys.h"
#include "controls/ControlFacts.h"

namespace kirabo {
namespace {

static_assert(kKeyBack == VK_BACK && kKeyF1 == VK_F1 && kKeyF24 == VK_F24);
static_assert(kKeyReturn == VK_RETURN && kKeyEscape == VK_ESCAPE && kKeySpace == VK_SPACE && kKeyEnd == VK_END &&
              kKeyHome == VK_HOME && kKeyUp == VK_UP && kKeyDown == VK_DOWN && kKeyF2 == VK_F2 && kKeyF3 == VK_F3 &&
              kKeyDelete == VK_DELETE);

constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kCountStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_RIGHT;
constexpr UINT_PTR kAnswerTimer = 1;

bool Held(int key) { return GetKeyState(key) < 0; }

bool Wanted(DWORD_PTR data, WPARAM key) {
    return reinterpret_cast<FindBoxControl::WantsKey>(data)(static_cast<std::uint32_t>(key), Held(VK_SHIFT),
                                                            Held(VK_CONTROL));
}

void DeleteWord(HWND box) {
    const int length = GetWindowTextLengthW(box);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, reinterpret_cast<wchar_t*>(text.data()), length + 1)));
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const TextSpan word = WordBefore(text, start, end);
    SendMessageW(box, EM_SETSEL, word.from, static_cast<LPARAM>(word.to));
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

// `input`, the subclass's id: the box's own input method context, which goes with the box.
LRESULT CALLBACK FindBoxKeys(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR input, DWORD_PTR data) {
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(box, FindBoxKeys, input);
            if (input) {
                ImmAssociateContext(box, nullptr);
                ImmDestroyContext(reinterpret_cast<HIMC>(input));
            }
            break;
        case WM_GETDLGCODE:  // in a dialog, its keys are the box's, not OK's or Cancel's
            if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                Wanted(data, reinterpret_cast<const MSG*>(lParam)->wParam)) {
                return DLGC_WANTALLKEYS;
            }
            break;
        case WM_KEYDOWN:
            switch (BoxEditOf(static_cast<std::uint32_t>(wParam), Held(VK_CONTROL))) {
                case BoxEdit::SelectAll:
                    SendMessageW(box, EM_SETSEL, 0, -1);
                    return 0;
                case BoxEdit::DeleteWord:
                    DeleteWord(box);
                    return 0;
                case BoxEdit::None:
                    break;
            }
            if (Wanted(data, wParam)) {
                const LPARAM held = (Held(VK_SHIFT) ? kFindKeyShift : 0) | (Held(VK_CONTROL) ? kFindKeyCtrl : 0);
                SendMessageW(GetParent(box), kMessageFindKey, wParam, held);
                return 0;
            }
            break;
        case WM_CHAR:
            if (!TypesIntoBox(static_cast<std::uint32_t>(wParam))) return 0;
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

// A window of Windows' own class in UTF-16, so that an edit control's caret counts characters.
HWND CreateChild(HWND parent, HINSTANCE instance, HFONT font, const wchar_t* windowClass, DWORD style, int id) {
    HWND child = CreateWindowExW(0, windowClass, L"", style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return child;
}

}  // namespace

void FindBoxControl::Create(HWND parent, HINSTANCE instance, HFONT font, int boxId, int countId, DWORD style,
                            WantsKey wantsKey) {
    Destroy();
    box_ = CreateChild(parent, instance, font, L"EDIT", kBoxStyle | style, boxId);
    count_ = CreateChild(parent, instance, font, L"STATIC", kCountStyle, countId);
    if (!box_) return;
    // Romaji at first: a context of the box's own, closed; the host's windows keep theirs.
    HIMC input = ImmCreateContext();
    if (input) {
        ImmSetOpenStatus(input, FALSE);
        ImmAssociateContext(box_, input);
    }
    SetWindowSubclass(box_, FindBoxKeys, reinterpret_cast<UINT_PTR>(input), reinterpret_cast<DWORD_PTR>(wantsKey));
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
