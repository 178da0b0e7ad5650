// Switches of the level editor that outlive its screen (set at start-up after the import).
#pragma once
#include <cstdint>

// F4: dragged and inserted objects and dragged markers snap to the block grid.
extern uint8_t snap_to_grid;
// Enables the extra display of a block object's effect details in the object panel.
extern uint8_t effect_details_shown;
