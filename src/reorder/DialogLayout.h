// Decisions about the reorder dialog's size, in plain rectangles: where it opens and how large, and
// where its controls go when the user makes it larger. Its smallest size is the template's.
#pragma once

#include <optional>

#include "host/Screen.h"

namespace kirabo {

// The dialog's controls, in its client coordinates.
struct DialogControls {
    ScreenRect list, ok, cancel;
    bool operator==(const DialogControls&) const = default;
};

// The controls for a client area of `width` x `height`, from where they stood in the client area
// the dialog opened with: the list takes the room, the buttons keep their place at the bottom right.
DialogControls ResizeControls(const DialogControls& opened, DialogSize openedClient, DialogSize client);

// Where the dialog opens: at the template's place, as large as the size the user left it at (never
// smaller than the template, never larger than the work area), and moved inside the work area.
ScreenRect PlaceDialog(const ScreenRect& opened, std::optional<DialogSize> stored, const ScreenRect& workArea);

}  // namespace kirabo
