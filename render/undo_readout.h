// The read-out "UNDO n / REDO m" that both editors show in the top right corner for 150
// ticks after an undo or a redo: how many steps each way remain. Drawn at
// (screen_width - 160, 20) by each screen with its own text writer.
#pragma once
#include <cstddef>
#include <string>

void show_undo_readout(size_t undo_steps, size_t redo_steps);
// The text while it is shown, else empty.
std::string undo_readout_text();
// Forgets the read-out (a screen starting).
void hide_undo_readout();
