// The find box of the palette and of the reorder dialog: an edit control with the count of its
// matches beside it. It opens in romaji: its input method, its own, closed, for the user's key of the
// input method to open (the host's windows keep theirs). Ctrl+A and Ctrl+Backspace it answers itself
// (BoxKeys.h); the keys its window gives a meaning (wantsKey) go to that window as kMessageFindKey
// instead of typing; what was typed is answered once the keys typed in a row are in: a burst of
// keys costs one answer, with the text as it stands, never one per key.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "host/Screen.h"

namespace kirabo {

// wParam: the virtual key; lParam: kFindKeyShift and kFindKeyCtrl, as they are held.
inline constexpr UINT kMessageFindKey = WM_APP + 1;
inline constexpr LPARAM kFindKeyShift = 1, kFindKeyCtrl = 2;
// The keys typed in a row are in: the window takes the box's text (FindBoxControl::TakeText).
inline constexpr UINT kMessageFindText = WM_APP + 2;

class FindBoxControl {
public:
    using WantsKey = bool (*)(std::uint32_t virtualKey, bool shift, bool ctrl);

    // Made visible at no size, as children of `parent`; `style` is added to the edit control's.
    void Create(HWND parent, HINSTANCE instance, HFONT font, int boxId, int countId, DWORD style, WantsKey wantsKey);
    void Destroy();
    bool open() const { return box_ != nullptr; }
    HWND box() const { return box_; }

    // The box's EN_CHANGE: true when the text is to be answered now; with more keys waiting, the
    // answer comes later, as kMessageFindText.
    bool OnChange();
    // The text, when it is not the one last taken.
    std::optional<std::string> TakeText();
    // The text last taken: the one the window's answer stands on.
    const std::string& taken() const { return taken_; }
    void ShowCount(const std::string& text);
    void Place(const Rect& box, const Rect& count);

private:
    HWND box_ = nullptr;
    HWND count_ = nullptr;
    std::string countText_;
    std::string taken_;
};

}  // namespace kirabo
