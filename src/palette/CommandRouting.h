// What a WM_COMMAND of the PaletteWindow means: a row's click, an own-menu command, or nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "resources/ResourceIds.h"

namespace kirabo {

// Rows 0 to 99 carry controlIndex and controlIndex + 100. Later rows take pairs of ids above the
// own menu's, so that no row's id is ever another control's.
inline constexpr int kRowsWithShortIds = 100;
inline constexpr std::uint32_t kButtonIdOffset = 100;
inline constexpr std::uint32_t kLongIdBase = 33000;
inline constexpr std::uint32_t kLastControlId = 0xFFFF;  // ids travel in 16 bits
inline constexpr int kMaxRowsWithControls =
    kRowsWithShortIds + static_cast<int>((kLastControlId - kLongIdBase + 1) / 2);

// Whether a row at this position can still be given control ids; later rows get no controls.
bool RowGetsControls(std::int32_t controlIndex);
std::uint32_t MainControlId(std::int32_t controlIndex);
std::uint32_t ButtonControlId(std::int32_t controlIndex);

enum class CommandAction {
    Ignore,        // nothing at all, not even the mirroring
    SetColumns,    // columnCount <- value, relayout
    ToggleTabs,    // tabMode flips, relayout
    Reorder,       // the reorder dialog, relayout
    ResetOrder,    // the reset after confirmation
    ForgetFinds,   // what find learned forgotten, after confirmation
    Find,          // the find box opens, or the open one takes the keyboard
    PostToggle,    // post the toggleCommand of entry `entry`
    PostSettings,  // post the settingsCommand of entry `entry`
    MirrorOnly,
};

struct Command {
    CommandAction action = CommandAction::MirrorOnly;
    std::int32_t value = 0;
    std::size_t entry = 0;
    bool operator==(const Command&) const = default;
};

struct CommandContext {
    bool saving = false;  // is_saving answered exactly 1
    bool hasHostWindow = false;
    // The controlIndex of every entry, in list order.
    const std::vector<std::int32_t>* controlIndices = nullptr;
};

Command RouteCommand(std::uint32_t wParam, const CommandContext& context);

}  // namespace kirabo
