#include "render/strip_band.h"

int32_t strip_band_scroll(int mouse, int centre, int half_band, bool left_held, bool roaming, uint8_t& latch) {
  const int c = centre;
  if (mouse < c - half_band || mouse > c + half_band) latch = 1;
  int32_t move = 0;
  if (left_held && latch) {
    if (mouse > c + 7) move += (mouse - c) * 4 - 32;
    if (mouse < c - 8) move -= ((c - 8) - mouse) * 4;
  } else if (roaming) {
    if (mouse > c + 7) move += mouse - (c + 8);
    if (mouse < c - 8) move -= (c - 8) - mouse;
  }
  return move;
}
