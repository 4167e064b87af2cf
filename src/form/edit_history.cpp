#include "form/edit_history.h"

#include <utility>

namespace orvex {

SlotStates StatesOf(const ColourSlotTable& table) {
    SlotStates states;
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        const ColourSlot& slot = table.slot(index);
        states[static_cast<std::size_t>(index)] = {slot.colour, slot.edited};
    }
    return states;
}

void EditHistory::record(const SlotStates& before, const ColourSlotTable& table) {
    const SlotStates after = StatesOf(table);
    Step step;
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        const auto at = static_cast<std::size_t>(index);
        if (!(before[at] == after[at])) {
            step.push_back({index, before[at], after[at]});
        }
    }
    if (!step.empty()) {
        m_done.push_back(std::move(step));
        m_undone.clear();
    }
}

bool EditHistory::undo(ColourSlotTable& table) {
    return replay(m_done, m_undone, table, &SlotChange::before);
}

bool EditHistory::redo(ColourSlotTable& table) {
    return replay(m_undone, m_done, table, &SlotChange::after);
}

// Gives the slots of `from`'s last step their state `side` and moves the step to `to`.
bool EditHistory::replay(std::vector<Step>& from, std::vector<Step>& to, ColourSlotTable& table,
                         SlotState SlotChange::*side) {
    if (from.empty()) {
        return false;
    }
    for (const SlotChange& change : from.back()) {
        const SlotState& state = change.*side;
        table.SetColourState(change.index, state.colour, state.edited);
    }
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}

void EditHistory::clear() {
    m_done.clear();
    m_undone.clear();
}

}  // namespace orvex
