#pragma once

#include <array>
#include <vector>

#include "colour/colour_slots.h"

namespace orvex {

// The colours and edited flags of every slot label: what an undo puts back.
struct SlotState {
    PackedColour colour = kWhite;
    bool edited = false;
    bool operator==(const SlotState& other) const {
        return colour == other.colour && edited == other.edited;
    }
};
using SlotStates = std::array<SlotState, ColourSlotTable::kLabelCount>;

SlotStates StatesOf(const ColourSlotTable& table);

// The undo and redo steps since the load. A step is whatever one user action changed,
// however many slots: an import or a restore of all colours is undone at once.
class EditHistory {
  public:
    // The action that turned `before` into what `table` holds now; nothing when it
    // changed nothing. A new step drops the steps undone before it.
    void record(const SlotStates& before, const ColourSlotTable& table);
    bool undo(ColourSlotTable& table);
    bool redo(ColourSlotTable& table);
    void clear();

    bool canUndo() const { return !m_done.empty(); }
    bool canRedo() const { return !m_undone.empty(); }

  private:
    struct SlotChange {
        int index = 0;
        SlotState before;
        SlotState after;
    };
    using Step = std::vector<SlotChange>;

    static bool replay(std::vector<Step>& from, std::vector<Step>& to, ColourSlotTable& table,
                       SlotState SlotChange::*side);

    std::vector<Step> m_done;
    std::vector<Step> m_undone;
};

}  // namespace orvex
