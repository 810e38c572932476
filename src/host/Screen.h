// Rectangles on the screen in pixels, as Windows reports windows and monitors' work areas.
#pragma once

namespace kirabo {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// Any rectangle with left, top, right and bottom, as Windows' RECT.
template <typename Rect>
ScreenRect ScreenRectOf(const Rect& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

struct DialogSize {
    int width = 0, height = 0;
    bool operator==(const DialogSize&) const = default;
};

}  // namespace kirabo
