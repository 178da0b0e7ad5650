// The read-out "UNDO n / REDO m" that both editors show in the top right corner for 150
// ticks after an undo or a redo: how many steps each way remain. Drawn at
// (screen_width - 160, 20) by each screen with its own text writer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Shows the read-out from timer tick `now` on.
void show_undo_readout(size_t undo_steps, size_t redo_steps, int32_t now);
// The text while it is shown at tick `now`, else empty.
std::string undo_readout_text(int32_t now);
// Forgets the read-out (a screen starting).
void hide_undo_readout();
