// Rectangles and sizes in pixels, as Windows reports windows, controls and monitors' work areas:
// the one rectangle of the core, and its conversion from Windows' RECT.
#pragma once

namespace kirabo {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    static constexpr Rect Sized(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Any rectangle with left, top, right and bottom, as Windows' RECT.
template <typename WindowsRect>
Rect RectOf(const WindowsRect& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

struct WindowSize {
    int width = 0, height = 0;
    bool operator==(const WindowSize&) const = default;
};

}  // namespace kirabo
