#include "render/undo_readout.h"

namespace {

constexpr int32_t READOUT_TICKS = 150;
bool shown = false;
int32_t shown_at = 0;
std::string text;

}  // namespace

void show_undo_readout(size_t undo_steps, size_t redo_steps, int32_t now) {
  shown = true;
  shown_at = now;
  text = "UNDO " + std::to_string(undo_steps) + " / REDO " + std::to_string(redo_steps);
}

std::string undo_readout_text(int32_t now) { return shown && now - shown_at < READOUT_TICKS ? text : std::string(); }

void hide_undo_readout() { shown = false; }
