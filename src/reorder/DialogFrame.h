// The reorder dialog as a window the user sizes: where it opens, and where its controls go when it
// grows. Its smallest size is the template's.
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
