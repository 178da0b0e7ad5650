#include "ui/setup_screens.h"

#include <cstring>
#include <string>
#include <vector>

#include "ui/font.h"
#include "ui/frame.h"
#include "ui/input.h"
#include "ui/menu.h"
#include "ui/messages.h"
#include "ui/prompts.h"

namespace {

// Screen nesting: each level of screen runs while its bit of editor_mode is set.
constexpr uint8_t LEVEL2 = 16, LEVEL3 = 32, LEVEL4 = 64;

struct Pending {
  int16_t width, height;
  uint8_t full;
};

using Titles = std::vector<const char*>;

Titles with(Titles titles, const char* name) {
  titles.push_back(name);
  return titles;
}

const char* const EDITING_TEXT = "    ROAMING\n    STATIC\n    HYBRID\n\n GO BACK";
const char* const SELECTION_TEXT = "    ROAMING\n    STATIC\n\n GO BACK";
const char* const ON_OFF_TEXT = "    ON BY DEFAULT\n    OFF BY DEFAULT\n\n GO BACK";
const char* const TOP_TEXT =
    " SCREEN RESOLUTION\n SCREEN MODE\n VSYNC\n FRAME SKIP\n FPS COUNTER\n LEVEL UNDO SIZE\n META UNDO SIZE\n"
    " TIPS\n KEY BINDINGS\n\n LEVEL EDITOR SETUP\n META BLOCK EDITOR SETUP\n BLOCK ANAYSIS TOOL SETUP\n\n GO BACK";

// The screens of one SETUP session: they change the display's settings and mode.
class SetupScreens {
 public:
  SetupScreens(Display& display, const SetupActions& actions) : display(display), actions(actions) {}

  void run() {
    pending = {display.settings.screen_width, display.settings.screen_height, display.settings.full_screen};
    menu_screen(0, {"SETUP"}, TOP_TEXT, 143, [this](uint8_t r) { top_action(r); });
    apply_display_settings(display, pending.width, pending.height, pending.full);
  }

 private:
  Display& display;
  const SetupActions& actions;
  Pending pending{};

  int16_t half_width() { return static_cast<int16_t>(display.settings.screen_width / 2); }

  void clear_screen_once() {
    clear_to_color(display.back_buffer.get(), 0);
    input().present(display.back_buffer.get(), MARGIN, MARGIN, 0, 0, display.settings.screen_width,
                    display.settings.screen_height);
  }

  // Frame start: clear, titles (the last at y 80, earlier ones 10 higher each), date and time.
  void begin_frame(const Titles& titles) {
    input().poll();
    clear_to_color(display.back_buffer.get(), 0);
    if (!frame_skip_open(display)) return;
    int y = 80 - 10 * (static_cast<int>(titles.size()) - 1);
    for (const char* t : titles) {
      text_out_c1(display, display.back_buffer.get(),
                  static_cast<int16_t>(half_width() - 4 * static_cast<int>(std::strlen(t))), static_cast<int16_t>(y),
                  t);
      y += 10;
    }
    text_out_c2(display, display.back_buffer.get(), static_cast<int16_t>(display.settings.screen_width - 96),
                static_cast<int16_t>(display.settings.screen_height - 24), __DATE__);
    text_out_c2(display, display.back_buffer.get(), static_cast<int16_t>(display.settings.screen_width - 72),
                static_cast<int16_t>(display.settings.screen_height - 14), __TIME__);
  }

  void draw_star(int16_t x, int row) {
    if (frame_skip_open(display))
      text_out_c1(display, display.back_buffer.get(), x, static_cast<int16_t>(104 + 16 * row), "*");
  }

  // An option screen: a small menu of values with a star at the current one.
  // choose(result) acts on a value entry and returns false for results it ignores;
  // star_row() gives the row of the star.
  template <typename Choose, typename StarRow>
  void option_screen(uint8_t bit, const Titles& titles, int16_t x_offset, int16_t width, int16_t star_offset,
                     const char* text, uint8_t back_result, Choose choose, StarRow star_row) {
    display.editor_mode |= bit;
    clear_screen_once();
    while (display.editor_mode & bit) {
      begin_frame(titles);
      display.menu_choice = setup_menu(display, static_cast<int16_t>(half_width() - x_offset), width, text);
      if (display.menu_choice == back_result) {
        display.editor_mode &= static_cast<uint8_t>(~bit);
      } else {
        choose(display.menu_choice);
      }
      draw_star(static_cast<int16_t>(half_width() - star_offset), star_row());
      present_frame(display);
    }
  }

  void editing_mode_screen(uint8_t bit, const Titles& parent, uint8_t& modes) {
    option_screen(
        bit, with(parent, "EDITING MODE"), 52, 96, 40, EDITING_TEXT, 133,
        [&](uint8_t r) {
          if (r == 129) set_editing_mode(modes, 1);
          if (r == 130) set_editing_mode(modes, 2);
          if (r == 131) set_editing_mode(modes, 0);
        },
        [&] { return editing_star_row(modes); });
  }

  void selection_mode_screen(uint8_t bit, const Titles& parent, uint8_t& modes) {
    option_screen(
        bit, with(parent, "SELECTION MODE"), 52, 96, 40, SELECTION_TEXT, 132,
        [&](uint8_t r) {
          if (r == 129) set_selection_mode(modes, 1);
          if (r == 130) set_selection_mode(modes, 2);
        },
        [&] { return selection_star_row(modes); });
  }

  // ON BY DEFAULT / OFF BY DEFAULT for one bit of a byte.
  void on_off_screen(uint8_t bit, const Titles& titles, uint8_t& field, uint8_t mask) {
    option_screen(
        bit, titles, 76, 144, 64, ON_OFF_TEXT, 132,
        [&](uint8_t r) {
          if (r == 129) field = static_cast<uint8_t>(field | mask);
          if (r == 130) field = static_cast<uint8_t>(field & ~mask);
        },
        [&] { return (field & mask) ? 0 : 1; });
  }

  // A menu screen: entries open prompts or deeper screens; act(result) does it.
  template <typename Act>
  void menu_screen(uint8_t bit, const Titles& titles, const char* text, uint8_t back_result, Act act) {
    if (bit) display.editor_mode |= bit;
    clear_screen_once();
    while (bit ? (display.editor_mode & bit) : display.editor_mode != 0) {
      begin_frame(titles);
      display.menu_choice = setup_menu(display, static_cast<int16_t>(half_width() - 108), 208, text);
      if (display.menu_choice == back_result) {
        if (bit)
          display.editor_mode &= static_cast<uint8_t>(~bit);
        else
          display.editor_mode = 0;
      } else if (display.menu_choice > 128) {
        act(display.menu_choice);
        if (bit ? (display.editor_mode & bit) : display.editor_mode != 0) clear_screen_once();
      }
      present_frame(display);
    }
  }

  void key_bindings_screen(const Titles& parent) {
    const Titles titles = with(parent, "KEY BINDINGS");
    menu_screen(LEVEL2, titles, " SCROLL UP\n SCROLL DOWN\n SCROLL LEFT\n SCROLL RIGHT\n\n GO BACK", 134,
                [this](uint8_t r) {
                  switch (r) {
                    case 129:
                      display.settings.key_scroll_up =
                          static_cast<uint8_t>(prompt_key(display, "PRESS A KEY FOR scroll up..."));
                      break;
                    case 130:
                      display.settings.key_scroll_down =
                          static_cast<uint8_t>(prompt_key(display, "PRESS A KEY FOR scroll down..."));
                      break;
                    case 131:
                      display.settings.key_scroll_left =
                          static_cast<uint8_t>(prompt_key(display, "PRESS A KEY FOR scroll left..."));
                      break;
                    case 132:
                      display.settings.key_scroll_right =
                          static_cast<uint8_t>(prompt_key(display, "PRESS A KEY FOR scroll right..."));
                      break;
                  }
                });
  }

  void debug_info_screen(const Titles& parent) {
    const Titles titles = with(parent, "DEBUG INFO");
    menu_screen(LEVEL3, titles, " CAMERA COORDINATES\n MOUSE COORDINATES\n UNIT COORDINATES\n\n GO BACK", 133,
                [&](uint8_t r) {
                  if (r == 129)
                    on_off_screen(LEVEL4, with(titles, "CAMERA COORDINATES"), display.settings.debug_info_flags, 1);
                  if (r == 130)
                    on_off_screen(LEVEL4, with(titles, "MOUSE COORDINATES"), display.settings.debug_info_flags, 2);
                  if (r == 131)
                    on_off_screen(LEVEL4, with(titles, "UNIT COORDINATES"), display.settings.debug_info_flags, 4);
                });
  }

  void level_editor_setup_screen(const Titles& parent) {
    const Titles titles = with(parent, "LEVEL EDITOR SETUP");
    menu_screen(LEVEL2, titles, " EDITING MODE\n SELECTION MODE\n BACKGROUND\n DEBUG INFO\n\n GO BACK", 134,
                [&](uint8_t r) {
                  if (r == 129) editing_mode_screen(LEVEL3, titles, display.settings.level_editor_modes);
                  if (r == 130) selection_mode_screen(LEVEL3, titles, display.settings.level_editor_modes);
                  if (r == 131)
                    on_off_screen(LEVEL3, with(titles, "BACKGROUND"), display.settings.background_default, 1);
                  if (r == 132) debug_info_screen(titles);
                });
  }

  void meta_editor_setup_screen(const Titles& parent) {
    const Titles titles = with(parent, "META BLOCK EDITOR SETUP");
    menu_screen(LEVEL2, titles, " EDITING MODE\n SELECTION MODE\n\n GO BACK", 132, [&](uint8_t r) {
      if (r == 129) editing_mode_screen(LEVEL3, titles, display.settings.meta_editor_modes);
      if (r == 130) selection_mode_screen(LEVEL3, titles, display.settings.meta_editor_modes);
    });
  }

  void analysis_tool_setup_screen(const Titles& parent) {
    const Titles titles = with(parent, "BLOCK ANALYSIS TOOL SETUP");
    menu_screen(LEVEL2, titles, " SELECTION MODE\n\n GO BACK", 131, [&](uint8_t r) {
      if (r == 129) selection_mode_screen(LEVEL3, titles, display.settings.analysis_tool_modes);
    });
  }

  void top_action(uint8_t r) {
    const Titles titles = {"SETUP"};
    switch (r) {
      case 129:
        // Escape at the first question cancels the second too.
        pending.width = prompt_number(display, 512, 1600, pending.width, "ENTER X SIZE:");
        if (!display.number_prompt_cancelled)
          pending.height = prompt_number(display, 384, 1200, pending.height, "ENTER Y SIZE:");
        break;
      case 130:
        pending.full =
            static_cast<uint8_t>(prompt_number(display, 0, 1, pending.full, "0. WINDOWED    1. FULL SCREEN:"));
        break;
      case 131:
        display.settings.vsync_enabled =
            static_cast<uint8_t>(prompt_number(display, 0, 1, display.settings.vsync_enabled, "0. OFF    1. ON:"));
        break;
      case 132:
        display.settings.frame_skip =
            static_cast<int8_t>(prompt_number(display, 0, 5, display.settings.frame_skip, "ENTER A FRAME SKIP VALUE:"));
        break;
      case 133:
        display.settings.fps_counter_enabled = static_cast<uint8_t>(
            prompt_number(display, 0, 1, display.settings.fps_counter_enabled, "0. OFF    1. ON:"));
        break;
      case 134:
        display.settings.level_undo_size = static_cast<uint16_t>(
            prompt_number(display, 0, 32767, static_cast<int16_t>(display.settings.level_undo_size),
                          "ENTER A LEVEL UNDO BUFFER SIZE:"));
        if (actions.level_undo_size_changed) actions.level_undo_size_changed();
        break;
      case 135:
        display.settings.meta_undo_size = static_cast<uint16_t>(
            prompt_number(display, 0, 32767, static_cast<int16_t>(display.settings.meta_undo_size),
                          "ENTER A META UNDO BUFFER SIZE:"));
        if (actions.meta_undo_size_changed) actions.meta_undo_size_changed();
        break;
      case 136:
        display.settings.tips_enabled =
            static_cast<uint8_t>(prompt_number(display, 0, 1, display.settings.tips_enabled, "0. OFF    1. ON:"));
        break;
      case 137:
        key_bindings_screen(titles);
        break;
      case 139:
        level_editor_setup_screen(titles);
        break;
      case 140:
        meta_editor_setup_screen(titles);
        break;
      case 141:
        analysis_tool_setup_screen(titles);
        break;
    }
  }
};

}  // namespace

uint8_t setup_menu(Display& display, int16_t x, int16_t width, const char* text) {
  return menu_widget(display, x, 96, width, 16, text);
}

void set_editing_mode(uint8_t& modes, uint8_t value) {
  modes = static_cast<uint8_t>((modes & 0xF0) | (value & 0x0F));
}
void set_selection_mode(uint8_t& modes, uint8_t value) {
  modes = static_cast<uint8_t>((modes & 0x0F) | ((value & 0x0F) << 4));
}

int editing_star_row(uint8_t modes) {
  if (modes & 1) return 0;
  if (modes & 2) return 1;
  return 2;
}

// ROAMING (1) and STATIC (2) have their rows; any other selection value (0, 3, ...)
// is not a valid selection mode and shows in the third row.
int selection_star_row(uint8_t modes) {
  switch (modes >> 4) {
    case 1: return 0;
    case 2: return 1;
    default: return 2;
  }
}

bool apply_display_settings(Display& display, int16_t width, int16_t height, uint8_t full) {
  if (width == display.settings.screen_width && height == display.settings.screen_height &&
      full == display.settings.full_screen)
    return false;
  if (!input().set_graphics_mode(full != 0, width, height)) {
    input().set_graphics_mode(display.settings.full_screen != 0, display.settings.screen_width,
                              display.settings.screen_height);
    return false;
  }
  const int16_t old_width = display.settings.screen_width, old_height = display.settings.screen_height;
  display.settings.screen_width = width;
  display.settings.screen_height = height;
  // The old bitmaps stay until the new ones are all made; without them the old mode comes back.
  if (!create_screen_bitmaps(display)) {
    display.settings.screen_width = old_width;
    display.settings.screen_height = old_height;
    input().set_graphics_mode(display.settings.full_screen != 0, display.settings.screen_width,
                              display.settings.screen_height);
    report_error(format_text("ERROR: Cannot create the screen bitmaps for %d x %d; the previous mode stays.", width,
                             height));
    return false;
  }
  display.settings.full_screen = full;
  return true;
}

void setup_screen(Display& display, const SetupActions& actions) {
  align_frame_counter(display);
  if (display.editor_mode == 0) display.editor_mode = 4;
  SetupScreens(display, actions).run();
  display.editor_mode = 0;
}
