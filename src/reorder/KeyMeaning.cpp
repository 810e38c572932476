#include "reorder/KeyMeaning.h"

#include <algorithm>

namespace kirabo {

KeyMeaning MeaningOfKey(KeyPress press) {
    switch (press.message) {
        case KeyMessage::SysKeyDown:
            switch (press.key) {
                case kKeyUp:
                    return {KeyAction::MoveRows, MoveKind::Up, true};
                case kKeyDown:
                    return {KeyAction::MoveRows, MoveKind::Down, true};
                case kKeyHome:
                    return {KeyAction::MoveRows, MoveKind::ToTop, true};
                case kKeyEnd:
                    return {KeyAction::MoveRows, MoveKind::ToBottom, true};
                default:
                    return {};
            }
        case KeyMessage::KeyDown:
            if (press.key == kKeySpace) return {KeyAction::ToggleChecks};
            if (press.key == kKeyA && press.ctrl) return {KeyAction::SelectAll};
            if (press.key == kKeyF && press.ctrl) return {KeyAction::FindText};
            if (press.key == kKeyF2) return {KeyAction::EditInPlace};
            if (press.key == kKeyG && press.ctrl) return {KeyAction::MakeGroup};
            if (press.key == kKeyDelete) return {KeyAction::RemoveGroups};
            if (press.key == kKeyZ && press.ctrl) return {KeyAction::Undo};
            if (press.key == kKeyY && press.ctrl) return {KeyAction::Redo};
            return {};
        case KeyMessage::Char:
            switch (press.key) {
                case kCharSpace:
                case kCharCtrlA:
                case kCharCtrlG:
                case kCharCtrlY:
                case kCharCtrlZ:
                    return {KeyAction::Swallow};
                default:
                    return {};
            }
    }
    return {};
}

CheckChange SpaceChecks(int focused, const std::vector<int>& selected, const Arrangement& list) {
    const std::vector<bool>& checked = list.checked;
    const auto valid = [&](int p) {
        const auto at = static_cast<std::size_t>(p);
        return p >= 0 && at < checked.size() && at < list.items.size() && !IsHeading(list.items[at]);
    };
    CheckChange change;
    for (int s : selected) {
        if (valid(s)) change.positions.push_back(s);
    }
    if (valid(focused) && std::find(selected.begin(), selected.end(), focused) == selected.end()) {
        change.positions.insert(std::upper_bound(change.positions.begin(), change.positions.end(), focused), focused);
    }
    const int reference = valid(focused) ? focused : change.positions.empty() ? -1 : change.positions.front();
    if (reference < 0) return {};
    change.checked = !checked[static_cast<std::size_t>(reference)];
    return change;
}

}  // namespace kirabo
