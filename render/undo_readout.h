// The read-out "UNDO n / REDO m" that both editors show for 150 ticks after an undo or a
// redo: how many steps each way remain. Each screen draws it with its own text writer: the
// level editor beside its zoom read-out, the chunk editor in the top right corner, off the
// tile. Both draw the frame rate on the top line, left of the F1 tip, clear of them all.
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

// The frame rate's last digit lies at (frame_rate_x(screen_width), 8).
inline int frame_rate_x(int screen_width) { return screen_width - 176; }
