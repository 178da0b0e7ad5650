// Switches of the level editor that outlive its screen (set at start-up after the import).
#pragma once
#include <cstdint>
#include <vector>

// F4: dragged and inserted objects and dragged markers snap to the block grid.
extern uint8_t snap_to_grid;
// Enables the extra display of a block object's effect details in the object panel.
extern uint8_t effect_details_shown;

// The clipboard of layout objects (Ctrl+C, Ctrl+X; files/layout_clipboard.h): kept for the
// whole run, through loads and imports, both planes and both editors.
struct LayoutClipboard {
  std::vector<uint8_t> block;       // a layout block; empty: nothing copied yet
  bool theme_notice_shown = false;  // the other-theme notice was given for this block
};
extern LayoutClipboard layout_clipboard;
