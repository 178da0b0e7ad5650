#include "chunkedit/block_context_menu.h"

#include "chunkedit/chunk_cell_edits.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/menu.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

const char* const BLOCK_MENU_TEXT =
    " MIRROR\n FLIP\n\n PLATFORM SIDE A\n PLATFORM SIDE B\n SOLID SIDE A\n SOLID SIDE B\n\n CUT\n COPY\n PASTE\n DELETE";

MenuPlace block_menu_place(int mx, int my) {
  MenuPlace p{mx, my};
  if (mx + BLOCK_MENU_WIDTH > screen_width) p.x = mx - BLOCK_MENU_WIDTH;
  if (my + BLOCK_MENU_HEIGHT > screen_height) p.y = my - BLOCK_MENU_HEIGHT;
  return p;
}

void block_context_menu(int mx, int my, Chunk& chunk, uint16_t cell, BITMAP* picture) {
  InputSource& in = input();
  BITMAP* bb = back_buffer.get();
  if (!bb) return;
  const MenuPlace place = block_menu_place(mx, my);
  for (;;) {
    in.poll();
    if (picture)
      blit(picture, bb, 0, 0, 0, 0, bb->w, bb->h);
    else
      clear_to_color(bb, 0xFF000000u);
    menu_choice =
        menu_widget(display, static_cast<int16_t>(place.x), static_cast<int16_t>(place.y), 136, 16, BLOCK_MENU_TEXT);
    apply_menu_action(chunk_edit_state(), menu_choice, chunk, cell);
    if (in.key_down(KEY_ESC)) {
      wait_key_released(KEY_ESC);
      break;
    }
    if (click_event & 3) break;
    present_frame(display);
  }
}
