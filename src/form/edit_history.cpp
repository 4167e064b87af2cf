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
    if (m_done.empty()) {
        return false;
    }
    for (const SlotChange& change : m_done.back()) {
        table.SetColourState(change.index, change.before.colour, change.before.edited);
    }
    m_undone.push_back(std::move(m_done.back()));
    m_done.pop_back();
    return true;
}

bool EditHistory::redo(ColourSlotTable& table) {
    if (m_undone.empty()) {
        return false;
    }
    for (const SlotChange& change : m_undone.back()) {
        table.SetColourState(change.index, change.after.colour, change.after.edited);
    }
    m_done.push_back(std::move(m_undone.back()));
    m_undone.pop_back();
    return true;
}

void EditHistory::clear() {
    m_done.clear();
    m_undone.clear();
}

}  // namespace orvex
