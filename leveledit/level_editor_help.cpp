// The help overlay: the help text over a darkening copy of the last frame.
#include "leveledit/level_editor.h"
#include "leveledit/level_view.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

const char* const LEVEL_EDITOR_HELP =
    "MOVE MOUSE CURSOR TO MOVE TILE SELECTOR.\n"
    "left click THE MOUSE TO STOP CAMERA OR SELECT THE TILE.\n"
    "left click NEAR OUTER EDGES TO INCREASE SCROLLING SPEED.\n"
    "ROLL THE mouse wheel TO ZOOM IN AND OUT.\n"
    "PRESS arrow KEYS TO SCROLL AT NORMAL SPEED.\n"
    "HOLD shift AND PRESS arrow KEYS TO SCROLL AT FAST SPEED.\n"
    "PRESS m TO SWITCH BETWEEN LAYOUT AND METABLOCK EDITING.\n"
    "PRESS THE tab KEY TO SWITCH BETWEEN FG AND BG EDITING.\n"
    "PRESS THE enter KEY TO SELECT THE TILE.\n"
    "PRESS THE delete KEY TO CLEAR THE TILE.\n"
    "PRESS pgup AND pgdn TO ZOOM IN AND OUT.\n"
    "HOLD ctrl AND PRESS THE tab KEY TO SHOW OR HIDE BACKGROUND.\n"
    "HOLD ctrl AND PRESS THE c KEY TO COPY THE TILE TO MEMORY.\n"
    "HOLD ctrl AND PRESS THE v KEY TO PASTE THE TILE FROM MEMORY.\n"
    "HOLD ctrl AND PRESS THE z KEY TO UNDO CHANGES.\n"
    "HOLD ctrl AND shift AND PRESS THE z KEY TO REDO CHANGES.\n"
    "PRESS THE f5 KEY TO SHOW OR HIDE CAMERA COORDINATES.\n"
    "PRESS THE f6 KEY TO SHOW OR HIDE MOUSE COORDINATES.\n"
    "PRESS THE f7 KEY TO SHOW OR HIDE UNIT COORDINATES.\n"
    "PRESS THE f9 KEY TO SHOW OR HIDE LAYER L.\n"
    "PRESS THE f10 KEY TO SHOW OR HIDE LAYER H.\n"
    "PRESS THE f11 KEY TO SHIFT THE LEVEL LAYOUT.\n"
    "PRESS THE f12 KEY TO SAVE A SCREEN CAPTURE.\n"
    "PRESS THE esc KEY TO RETURN TO THE MAIN MENU.\n"
    "\n"
    "metablock editing mode:\n"
    "HOLD ctrl AND PRESS THE m KEY TO MIRROR THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE f KEY TO FLIP THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE r KEY TO ROTATE THE ENTIRE TILE.\n";

namespace {

constexpr int DARKENING_STEPS = 12;

// Every colour byte c of the visible area loses c >> 3; alpha stays.
void darken_visible_area(BITMAP* b) {
  for (int y = MARGIN; y < MARGIN + screen_height && y < b->h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(b->line[y]);
    for (int x = MARGIN; x < MARGIN + screen_width && x < b->w; ++x) {
      const uint32_t p = row[x];
      const uint32_t loss = (p >> 3) & 0x001F1F1F;
      row[x] = p - loss;
    }
  }
}

bool any_key_down() {
  for (int k = 1; k < KEY_MAX; ++k)
    if (input().key_down(k)) return true;
  return false;
}

}  // namespace

void show_help_overlay(const char* text) {
  InputSource& in = input();
  BITMAP* bb = back_buffer.get();
  if (!bb) return;
  const int saved_x = in.mouse_x(), saved_y = in.mouse_y();
  int darkened = 0;
  bool f1_released = false;
  for (;;) {
    if (darkened < DARKENING_STEPS) {
      darken_visible_area(bb);
      ++darkened;
    }
    text_out_if_shown(bb, 0, 16, 60, text);
    if (vsync_enabled) in.vsync();
    in.present(bb, MARGIN, MARGIN, 0, 0, screen_width, screen_height);
    end_editor_frame();
    in.poll();
    if (!f1_released) {
      if (in.key_down(KEY_F1)) continue;
      // The F1 press itself sits in the key buffer: only keys pressed from now on count.
      f1_released = true;
      in.clear_keybuf();
      continue;
    }
    if (in.keypressed()) {
      in.readkey();
      break;
    }
    if (in.mouse_b()) break;
  }
  in.clear_keybuf();
  while (any_key_down()) in.poll();
  in.position_mouse(saved_x, saved_y);
  // A button that ended the overlay is not a click on the level.
  buttons_before = static_cast<uint8_t>(in.mouse_b());
  help_requested = 0;
}
