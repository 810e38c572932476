// Rectangles on the screen in pixels, as Windows reports windows and monitors' work areas.
#pragma once

namespace kirabo {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

struct DialogSize {
    int width = 0, height = 0;
    bool operator==(const DialogSize&) const = default;
};

}  // namespace kirabo
