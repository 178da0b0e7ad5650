#include "chunkedit/chunk_editor_help.h"

#include <allegro.h>

#include "leveledit/level_view.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

const char* const CHUNK_EDITOR_HELP =
    "MOVE MOUSE CURSOR TO MOVE BLOCK SELECTOR.\nleft click THE MOUSE TO STOP CAMERA OR SELECT THE BLOCK.\n"
    "left click NEAR OUTER EDGES TO INCREASE SCROLLING SPEED.\nROLL THE mouse wheel TO ZOOM IN AND OUT.\n"
    "PRESS arrow KEYS TO SCROLL AT NORMAL SPEED.\nHOLD shift AND PRESS arrow KEYS TO SCROLL AT FAST SPEED.\n"
    "PRESS THE enter KEY TO SELECT THE BLOCK.\nPRESS THE delete KEY TO CLEAR THE BLOCK.\n"
    "PRESS pgup AND pgdn TO ZOOM IN AND OUT.\nHOLD ctrl AND PRESS THE m KEY TO MIRROR THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE f KEY TO FLIP THE ENTIRE TILE.\nHOLD ctrl AND PRESS THE r KEY TO ROTATE THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE c KEY TO COPY THE BLOCK TO MEMORY.\n"
    "HOLD ctrl AND PRESS THE v KEY TO PASTE THE BLOCK FROM MEMORY.\nHOLD ctrl AND PRESS THE z KEY TO UNDO CHANGES.\n"
    "HOLD ctrl AND shift AND PRESS THE z KEY TO REDO CHANGES.\nPRESS THE f9 KEY TO SHOW OR HIDE LAYER L.\n"
    "PRESS THE f10 KEY TO SHOW OR HIDE LAYER H.\nPRESS THE f12 KEY TO SAVE THE CURRENT TILE AS A PNG IMAGE.\n"
    "PRESS THE esc KEY TO RETURN TO THE TILE SELECTOR.\n";

const char* const TILE_SELECTOR_HELP =
    "MOVE MOUSE CURSOR TO SCROLL THROUGH THE TILES.\nleft click THE MOUSE TO SELECT THE TILE.\n"
    "left click NEAR OUTER EDGES TO INCREASE SCROLLING SPEED.\nROLL THE mouse wheel TO SCROLL THROUGH THE TILES.\n"
    "PRESS arrow KEYS TO SCROLL AT NORMAL SPEED.\nHOLD shift AND PRESS arrow KEYS TO SCROLL AT FAST SPEED.\n"
    "PRESS THE enter KEY TO SELECT THE TILE.\nPRESS THE insert KEY TO INSERT A NEW TILE.\n"
    "PRESS THE delete KEY TO CLEAR THE TILE.\nHOLD shift AND PRESS THE delete KEY TO DELETE THE TILE.\n"
    "HOLD ctrl AND PRESS THE c KEY TO COPY THE TILE TO MEMORY.\n"
    "HOLD ctrl AND PRESS THE v KEY TO PASTE THE TILE FROM MEMORY.\n"
    "PRESS THE slash KEY TO MANUALLY ENTER A TILE NUMBER.\nPRESS THE esc KEY TO RETURN TO THE MAIN MENU.\n";

// The attribute keys of the block selector are 1 to 4; they are named here in place of
// letter keys the selector does not have.
const char* const BLOCK_SELECTOR_HELP =
    "MOVE MOUSE CURSOR TO SCROLL THROUGH THE BLOCKS.\nleft click THE MOUSE TO SELECT THE BLOCK.\n"
    "left click NEAR OUTER EDGES TO INCREASE SCROLLING SPEED.\nROLL THE mouse wheel TO SCROLL THROUGH THE BLOCKS.\n"
    "PRESS arrow KEYS TO SCROLL AT NORMAL SPEED.\nHOLD shift AND PRESS arrow KEYS TO SCROLL AT FAST SPEED.\n"
    "PRESS THE enter KEY TO SELECT THE BLOCK.\nPRESS THE 1 KEY TO TOGGLE THE NOC BITS OF THE BLOCK.\n"
    "PRESS THE 2 KEY TO FLIP THE BLOCK.\nPRESS THE 3 KEY TO TOGGLE THE COL BIT OF THE BLOCK.\n"
    "PRESS THE 4 KEY TO TOGGLE THE PRI BIT OF THE BLOCK.\n"
    "PRESS THE slash KEY TO MANUALLY ENTER A BLOCK NUMBER.\nPRESS THE esc KEY TO CANCEL.\n";

namespace {

constexpr int DARKEN_STEPS = 12;

// Every colour byte c of the visible area becomes c - c / 8; alpha stays.
void darken_visible_area(BITMAP* b) {
  for (int y = MARGIN; y < MARGIN + screen_height && y < b->h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(b->line[y]);
    for (int x = MARGIN; x < MARGIN + screen_width && x < b->w; ++x) {
      const uint32_t p = row[x];
      uint32_t out = p & 0xFF000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c = (p >> shift) & 0xFF;
        out |= (c - (c >> 3)) << shift;
      }
      row[x] = out;
    }
  }
}

bool any_key_down() {
  for (int k = 1; k < KEY_MAX; ++k)
    if (input().key_down(k)) return true;
  return false;
}

}  // namespace

void run_help_overlay(const char* text) {
  InputSource& in = input();
  BITMAP* bb = back_buffer.get();
  const int mouse_x = in.mouse_x(), mouse_y = in.mouse_y();
  help_requested = 1;
  bool f1_released = false;
  for (int step = 0;; ++step) {
    if (bb) {
      if (step < DARKEN_STEPS) darken_visible_area(bb);
      text_out_if_shown(bb, 0, 16, 60, text);
      if (vsync_enabled) in.vsync();
      in.present(bb, MARGIN, MARGIN, 0, 0, screen_width, screen_height);
    }
    end_editor_frame();
    in.poll();
    if (!f1_released) {
      // F1 itself and its repeats are not the key that ends the help.
      in.clear_keybuf();
      f1_released = !in.key_down(KEY_F1);
      continue;
    }
    if (in.keypressed()) {
      in.readkey();
      break;
    }
    if (in.mouse_b() & 3) break;
  }
  in.clear_keybuf();
  while (any_key_down()) in.poll();
  in.position_mouse(mouse_x, mouse_y);
  // A button that ended the help is not a click on the screen below.
  buttons_before = 3;
  help_requested = 0;
}
