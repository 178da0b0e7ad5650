#include "app/start_up.h"

#include <allegro.h>
#include <loadpng.h>

#include "app/config.h"
#include "app/main_menu.h"
#include "app/program_state.h"
#include "app/recovery.h"
#include "files/installed_data.h"
#include "leveledit/level_undo.h"
#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/messages.h"
#include "ui/screen_state.h"
#include "ui/settings.h"
#include "ui/setup_screens.h"

namespace {

// The working directory's copy of an interface image, or else the installed one.
BitmapPtr load_image(const char* name) {
  return BitmapPtr(load_png(find_data_file(name, installed_data_dir()).c_str(), nullptr));
}

BitmapPtr cut(BITMAP* from, int x, int y, int w, int h) {
  BitmapPtr b = make_bitmap(w, h);
  if (b) blit(from, b.get(), x, y, 0, 0, w, h);
  return b;
}

// "loading <name>" line: drawn into back_buffer and shown at once.
void show_loading_line(const char* name, int y) {
  text_out_c2(display, back_buffer.get(), 32, static_cast<int16_t>(y), name);
  input().present(back_buffer.get(), MARGIN, y + MARGIN, 0, y, 512, 8);
}

// The loading lines are gone once the images are in, before any prompt or menu shows.
void clear_loading_lines() {
  fill_rect32(back_buffer.get(), MARGIN, 96 + MARGIN, 512, 18, 0);
  input().present(back_buffer.get(), MARGIN, 96 + MARGIN, 0, 96, 512, 18);
}

// Stand-ins drawn when cursor.png or bselect.png is missing or the wrong size,
// so every screen can still draw its cursor and frames.
BitmapPtr fallback_cursor() {
  BitmapPtr b = make_bitmap(22, 22);
  clear_to_color(b.get(), MASK_COLOUR);
  hline(b.get(), 4, 11, 18, 0xFFFFFF);
  vline(b.get(), 11, 4, 18, 0xFFFFFF);
  return b;
}

void cut_cursor() {
  BitmapPtr image = load_image("cursor.png");
  if (image && image->w == 22 && image->h == 44) {
    cursor_arrow = cut(image.get(), 0, 0, 22, 22);
    cursor_alt = cut(image.get(), 0, 22, 22, 22);
  } else {
    cursor_arrow = fallback_cursor();
    cursor_alt = fallback_cursor();
  }
}

void cut_selection_frame() {
  BitmapPtr image = load_image("bselect.png");
  if (!image || image->w != 5 || image->h != 5) {
    image = make_bitmap(5, 5);
    clear_to_color(image.get(), 0xFFFFFF);
  }
  BITMAP* s = image.get();
  frame_top_left = cut(s, 0, 0, 2, 2);
  frame_top_right = cut(s, 3, 0, 2, 2);
  frame_bottom_left = cut(s, 0, 3, 2, 2);
  frame_bottom_right = cut(s, 3, 3, 2, 2);
  frame_top = cut(s, 2, 0, 1, 2);
  frame_bottom = cut(s, 2, 3, 1, 2);
  frame_left = cut(s, 0, 2, 2, 1);
  frame_right = cut(s, 3, 2, 2, 1);
}

BitmapPtr swatch(uint32_t colour) {
  BitmapPtr b = make_bitmap(1, 1);
  put_pixel32(b.get(), 0, 0, colour);
  return b;
}

}  // namespace

bool load_interface_images(bool install_frame_timer) {
  BitmapPtr font_image = load_image("alphanum.png");
  if (!font_image) {
    report_error("ERROR: File \"alphanum.png\" not found.");
    return false;
  }
  cut_glyphs(display, font_image.get());
  font_image.reset();
  if (!create_screen_bitmaps(display)) {
    report_error(format_text("ERROR: Cannot create the screen bitmaps for %d x %d.", screen_width, screen_height));
    return false;
  }
  show_loading_line("cursor.png", 96);
  cut_cursor();
  show_loading_line("bselect.png", 106);
  cut_selection_frame();
  swatch_red = swatch(0x7F0000);
  swatch_green = swatch(0x007F00);
  swatch_blue = swatch(0x00007F);
  clear_loading_lines();
  if (install_frame_timer) install_int_ex(frame_timer_tick, FRAME_TIMER_PERIOD);
  return true;
}

void release_all() {
  release_level_data();
  destroy_screen_bitmaps(display);
}

void release_interface_images() {
  for (BitmapPtr& g : glyphs) g.reset();
  for (BitmapPtr* b : {&cursor_arrow, &cursor_alt, &frame_top_left, &frame_top_right, &frame_bottom_left,
                       &frame_bottom_right, &frame_top, &frame_bottom, &frame_left, &frame_right, &swatch_red,
                       &swatch_green, &swatch_blue})
    b->reset();
}

static void shut_down() {
  release_all();
  clear_keybuf();
  release_interface_images();
  allegro_exit();
}

void start_up() {
  config_load();
  reset_program_state();
  reset_editor_state();
  if (!load_interface_images(true)) {
    shut_down();
    return;
  }
  recovery_begin();
  import_level_at_start_up();
  main_menu();
  recovery_end();
  config_save();
  shut_down();
}
