// Decisions about the reorder dialog's size, in plain rectangles: where it opens and how large, and
// where its controls go when the user makes it larger. Its smallest size is the template's.
#pragma once

#include <optional>

#include "controls/ControlFacts.h"
#include "host/Screen.h"

namespace kirabo {

// The dialog's controls, in its client coordinates.
struct DialogControls {
    Rect list, ok, cancel;
    Rect find{}, count{};  // the find box and its count, above the list's right part
    Rect group{};          // the button that makes a group, at the bottom left
    bool operator==(const DialogControls&) const = default;
};

inline constexpr int kFindGap = 8;

// The find box from the end of the template's label to the count, which ends where the list does;
// as high as the room above the list allows.
void AddFindBar(DialogControls& controls, const Rect& label);

// The controls for a client area of `width` x `height`, from where they stood in the client area
// the dialog opened with: the list takes the room, OK and Cancel keep their place at the bottom
// right and the group button at the bottom left, the find box grows with the width and its count
// keeps to the right.
DialogControls ResizeControls(const DialogControls& opened, WindowSize openedClient, WindowSize client);

// Where the dialog opens: at the template's place, as large as the size the user left it at, or,
// before the user sized it, tall enough for `allRowsHeight` (never smaller than the template,
// never larger than the work area), and moved inside the work area.
Rect PlaceDialog(const Rect& opened, std::optional<WindowSize> stored, int allRowsHeight, const Rect& workArea);

}  // namespace kirabo
