#include "palette/CommandRouting.h"

namespace kirabo {

bool RowGetsControls(std::int32_t controlIndex) { return controlIndex >= 0 && controlIndex < kMaxRowsWithControls; }

std::uint32_t MainControlId(std::int32_t controlIndex) {
    if (controlIndex < kRowsWithShortIds) return static_cast<std::uint32_t>(controlIndex);
    return kLongIdBase + 2 * static_cast<std::uint32_t>(controlIndex - kRowsWithShortIds);
}

std::uint32_t ButtonControlId(std::int32_t controlIndex) {
    if (controlIndex < kRowsWithShortIds) return static_cast<std::uint32_t>(controlIndex) + kButtonIdOffset;
    return MainControlId(controlIndex) + 1;
}

namespace {

struct RowClick {
    std::int32_t controlIndex;
    bool button;
};

std::optional<RowClick> RowOfId(std::uint32_t id, std::size_t count) {
    if (id < kButtonIdOffset) return RowClick{static_cast<std::int32_t>(id), false};
    if (id < kButtonIdOffset + kRowsWithShortIds) {
        const auto row = static_cast<std::int32_t>(id - kButtonIdOffset);
        if (static_cast<std::size_t>(row) < count) return RowClick{row, true};
        return std::nullopt;
    }
    if (id >= kLongIdBase && id <= kLastControlId) {
        const auto offset = static_cast<std::int32_t>(id - kLongIdBase);
        return RowClick{kRowsWithShortIds + offset / 2, offset % 2 == 1};
    }
    return std::nullopt;
}

}  // namespace

Command RouteCommand(std::uint32_t wParam, const CommandContext& context) {
    if (context.saving || !context.hasHostWindow) return {CommandAction::Ignore};
    const std::uint32_t id = wParam & 0xFFFF;
    if (id >= KIRABO_CMD_ONE_COLUMN && id <= KIRABO_CMD_FOUR_COLUMNS) {
        return {CommandAction::SetColumns, static_cast<std::int32_t>(id - KIRABO_CMD_ONE_COLUMN + 1)};
    }
    if (id == KIRABO_CMD_TAB_MODE) return {CommandAction::ToggleTabs};
    if (id == KIRABO_CMD_REORDER) return {CommandAction::Reorder};
    if (id == KIRABO_CMD_RESET_ORDER) return {CommandAction::ResetOrder};
    if (id == KIRABO_CMD_FORGET_FINDS) return {CommandAction::ForgetFinds};
    if (id == KIRABO_CMD_FIND) return {CommandAction::Find};

    const std::vector<std::int32_t> none;
    const std::vector<std::int32_t>& indices = context.controlIndices ? *context.controlIndices : none;
    const std::optional<RowClick> row = RowOfId(id, indices.size());
    if (!row) return {CommandAction::MirrorOnly};
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] == row->controlIndex) {
            return {row->button ? CommandAction::PostSettings : CommandAction::PostToggle, 0, i};
        }
    }
    return {CommandAction::MirrorOnly};
}

}  // namespace kirabo
